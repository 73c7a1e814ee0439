// Marks a text in a table for translation without translating it there: the table keeps the
// source text, and the code that shows it passes it through platform::translate with the same
// context. Code with Qt has this macro already; the rest gets the same one here.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, sourceText) sourceText
#endif
