// The text of a document packed with the music (readme.txt, notes.doc) as the viewer shows it.
#pragma once

#include <QByteArrayView>
#include <QString>

// The bytes up to the first NUL, decoded: after a UTF-8 byte-order mark, or when they are valid
// UTF-8 holding anything beyond ASCII, as UTF-8; otherwise as code page 932, the code page
// these files were written in. A byte (or pair) that decodes to nothing becomes U+FFFD, so the
// rest of the text still shows. Lines end at CR, LF or CR LF; the result ends them with LF.
QString DecodeDocumentText(QByteArrayView bytes);
