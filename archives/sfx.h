// Self-extracting archives made outside the libraries: a self-extractor program followed by
// the archive.
#pragma once

#include <string>

namespace archives {

// The self-extractor program's Windows path, searched beside this program, in the current
// folder, then along PATH, without regard to case; empty when it is nowhere.
std::string FindSfxModule(const std::string &name);

// The archive path with its extension replaced by ".EXE"; with a folder, that file name in
// the folder.
std::string SfxOutputPath(const std::string &archive, const std::string &folder);

// Writes the self-extractor's bytes followed by the archive's bytes to output, replacing any
// file there. Both inputs are read before the output is touched, and the output appears whole or not at
// all, so an output that is the archive itself (a name that differs only by case) loses
// nothing. Raises EArchiver when an input cannot be read or the output cannot be written.
void WriteSfx(const std::string &sfxModule, const std::string &archive, const std::string &output);

}  // namespace archives
