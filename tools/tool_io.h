#pragma once
// What every command shares: reading and writing files with one plain line
// on stderr for each refusal, and printing text from files safely.

#include <cstdio>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>

#include "model/state.h"
#include "platform/files.h"

namespace pakkon::tool {

// Writes the text as it is, NUL bytes included.
void say(FILE* out, std::string_view text);

// The errno of the first failed write to stdout through say(); 0 if none.
int stdoutError();

// "pakkon-tool: <text>" as one line on stderr.
void complain(const std::string& text);

// Control characters as \xNN: text from a file must not work the terminal.
std::string printable(std::string_view s);

// 3254 -> "3,254".
std::string grouped(unsigned long long n);

// Why a file could not be read, in plain words; tooLarge finishes
// "N bytes, ..." for a file over its reader's limit.
std::string readProblem(const std::string& path, const IoError& e, const std::string& tooLarge);

// Reads standard input to its end, refusing it past maxBytes as the file
// reader does.
IoError readStdin(std::string& bytes, size_t maxBytes);

// Reads and decodes a puzzle file; a refusal is one line on stderr.
bool readPuzzle(const std::string& path, PuzzleState& st);

// Refuses (one line on stderr) an output that is the input file itself;
// label names the output as the usage does ("OUT", "-o").
bool distinctOutput(const std::string& input, const std::string& out, const char* label);

// Writes a puzzle file as the game saves it, with this program's version.
bool writePuzzle(PuzzleState& st, const std::string& path);

// Why a write failed, in plain words.
std::string writeProblem(const IoError& e);

// A report: objects one member a line, arrays and what they hold on one line.
std::string jsonText(const nlohmann::ordered_json& j);

}  // namespace pakkon::tool
