#include "tool_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <nlohmann/json.hpp>

#include "app/startup.h"
#include "model/puzzle_file.h"
#include "platform/text.h"
#include "version.h"

namespace pakkon::tool {

namespace {
int firstStdoutError = 0;
}  // namespace

void say(FILE* out, std::string_view text) {
  // The buffer hides which write failed; keep the first reason for the end.
  if (std::fwrite(text.data(), 1, text.size(), out) != text.size() && out == stdout && firstStdoutError == 0)
    firstStdoutError = errno != 0 ? errno : EIO;
}

int stdoutError() { return firstStdoutError; }

void complain(const std::string& text) { say(stderr, "pakkon-tool: " + text + "\n"); }

std::string printable(std::string_view s) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(s.size());
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      out += "\\x";
      out += kHex[u >> 4];
      out += kHex[u & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

std::string grouped(unsigned long long n) {
  std::string digits = std::to_string(n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string readProblem(const std::string& path, const IoError& e, const std::string& tooLarge) {
  switch (e.number) {
    case kErrFileNotFound: return "no such file";
    case kErrPathNotFound: return "no such file (a part of the path is not a folder)";
    case kErrPermission: return "cannot be read (permission denied)";
    case kErrBadFormat: {
      // The reader stops at the limit; the size itself is the useful figure.
      struct stat info {};
      if (::stat(path.c_str(), &info) == 0)
        return grouped(static_cast<unsigned long long>(info.st_size)) + " bytes, " + tooLarge;
      return tooLarge;
    }
    case kErrAccess:
      if (!e.detail.empty()) return e.detail;
      break;
  }
  return "cannot be read (" + e.text() + ")";
}

IoError readStdin(std::string& bytes, size_t maxBytes) {
  bytes.clear();
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      bytes.clear();
      return fncIoError_from(errno);
    }
    if (n == 0) return {};
    if (bytes.size() + static_cast<size_t>(n) > maxBytes) {
      bytes.clear();
      return fncIoError_make(kErrBadFormat, "more than " + std::to_string(maxBytes) + " bytes can be");
    }
    bytes.append(buf, static_cast<size_t>(n));
  }
}

namespace {

// What a decoder's refusal at each step means; the size was checked before.
std::string damage(int step) {
  switch (step) {
    case 121: return "the answer password cannot be decoded";
    case 130: return "the blocks as made hold values other than 0 and 1";
    case 140: return "the blocks as they stand hold values other than 0 and 1";
    case 160: return "the box size along x is not 2 to 4";
    case 170: return "the box size along y is not 2 to 4";
    case 180: return "the box size along z is not 2 to 4";
    case 190: return "the box holds values other than 0, 1 and 2";
    case 200: return "the box names blocks other than 1 to 8";
    case 220: return "the cell total is not 0 to 64";
  }
  return "it cannot be read past step " + std::to_string(step);
}

const std::string kPuzzleSizes = grouped(kPuzzleFileCoreSize) + " or " + grouped(kPuzzleFileSize) + " bytes";

}  // namespace

bool readPuzzle(const std::string& path, PuzzleState& st) {
  std::string bytes;
  if (const IoError e = fncFile_readAll(path, bytes, kPuzzleFileReadMax)) {
    complain(path + ": " + readProblem(path, e, "too large for a puzzle file (" + kPuzzleSizes + ")"));
    return false;
  }
  if (bytes.empty()) {
    complain(path + ": an empty file, not a puzzle file");
    return false;
  }
  if (bytes[0] != 'V') {
    complain(path + ": not a puzzle file (it must start with \"V\")");
    return false;
  }
  if (bytes.size() < kPuzzleFileCoreSize) {
    complain(path + ": " + grouped(bytes.size()) + " bytes, too short for a puzzle file (" + kPuzzleSizes + ")");
    return false;
  }
  const PuzzleReadResult r = fncPuzzle_decode(bytes, st);
  if (r.status != PuzzleReadStatus::Ok) {
    complain(path + ": a damaged puzzle file: " + damage(r.step));
    return false;
  }
  st.G_sPzVersion = r.version;
  return true;
}

bool distinctOutput(const std::string& input, const std::string& out, const char* label) {
  if (!fncFile_same(input, out)) return true;
  complain(out + ": " + label + " is the input file; nothing written");
  return false;
}

std::string writeProblem(const IoError& e) {
  switch (e.number) {
    case kErrFileNotFound:
    case kErrPathNotFound: return "no such folder";
    case kErrPermission: return e.detail.empty() ? "permission denied" : e.detail;
    case kErrDiskFull: return "the disk is full";
    case kErrAccess:
      if (!e.detail.empty()) return e.detail;
      break;
  }
  return e.text();
}

bool writePuzzle(PuzzleState& st, const std::string& path) {
  st.G_sVersion = fncVersion_text(build::kVersionMajor, build::kVersionMinor, build::kVersionRevision);
  std::string bytes;
  int step = 0;
  if (!fncPuzzle_encode(st, fncPuzzleKey_draw(), bytes, &step)) {
    complain(path + ": " +
             (step == 121 ? "the answer password has characters a puzzle file cannot hold"
                          : "a field cannot be stored (step " + std::to_string(step) + ")") +
             "; nothing written");
    return false;
  }
  if (const IoError e = fncFile_writeAtomic(path, bytes)) {
    complain(path + ": cannot write it (" + writeProblem(e) + ")");
    return false;
  }
  return true;
}

namespace {

void lay(const nlohmann::ordered_json& j, int indent, std::string& out) {
  if (!j.is_object() || j.empty()) {
    // A path need not be UTF-8; a report must still come out.
    out += j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    return;
  }
  const std::string inner(static_cast<size_t>(indent) + 2, ' ');
  out += "{\n";
  size_t i = 0;
  for (auto it = j.begin(); it != j.end(); ++it) {
    out += inner + nlohmann::ordered_json(it.key()).dump() + ": ";
    lay(it.value(), indent + 2, out);
    out += ++i < j.size() ? ",\n" : "\n";
  }
  out += std::string(static_cast<size_t>(indent), ' ') + "}";
}

}  // namespace

std::string jsonText(const nlohmann::ordered_json& j) {
  std::string out;
  lay(j, 0, out);
  return out + "\n";
}

}  // namespace pakkon::tool
