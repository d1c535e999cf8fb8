#include "app/program_folder.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "app/errorlog.h"
#include "app/settings.h"
#include "model/puzzle_file.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_catalogue.h"

namespace pakkon {
namespace {

constexpr size_t kHelpPageMax = 1 << 20;

std::string parentOf(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string joined(const std::string& dir, const std::string& name) {
  return !dir.empty() && dir.back() == '/' ? dir + name : dir + "/" + name;
}

bool writableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0 &&
         ::access(path.c_str(), W_OK) == 0;
}

IoError naming(IoError e, const std::string& path) {
  e.detail = e.detail.empty() ? path : e.detail + ", " + path;
  return e;
}

// Every missing level, private to the player (mode 0700), as desktops expect of XDG folders.
IoError makeFolders(const std::string& path) {
  if (fncDir_exists(path)) return {};
  const std::string parent = parentOf(path);
  if (parent != path)
    if (IoError e = makeFolders(parent)) return e;
  if (::mkdir(path.c_str(), 0700) == 0) return {};
  const int err = errno;
  if (fncDir_exists(path)) return {};
  if (err == EEXIST) return fncIoError_make(kErrPathNotFound, path + " is not a folder");
  return naming(fncIoError_from(err), path);
}

// The names in a folder with the given ending, in name order; what is not a
// regular file is refused when it is read.
std::vector<std::string> filesEndingIn(const std::string& folder, const std::string& ending) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name.size() > ending.size() && name[0] != '.' &&
        name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
      names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

// Copies when the target is absent; with `refresh`, also when it is a
// regular file that differs. Anything else there, a link above all, is the
// player's and stays as it is, and so does what it points at.
IoError copyFile(const std::string& from, const std::string& to, size_t maxBytes, bool refresh) {
  struct stat info {};
  const bool exists = fncPath_present(to);
  if (exists && (!refresh || ::lstat(to.c_str(), &info) != 0 || !S_ISREG(info.st_mode))) return {};
  std::string bytes;
  if (IoError e = fncFile_readAll(from, bytes, maxBytes)) return naming(e, from);
  if (exists) {
    std::string old;
    if (!fncFile_readAll(to, old, maxBytes) && old == bytes) return {};
  }
  if (IoError e = fncFile_writeAtomic(to, bytes, nullptr, LinkMode::Replace)) return naming(e, to);
  return {};
}

// The shipped files of one folder with the given ending, copied as copyFile
// does; what cannot be copied is added to problems.
void copyFolder(const std::string& from, const std::string& to, const std::string& ending, size_t maxBytes,
                bool refresh, std::vector<IoError>& problems) {
  const std::vector<std::string> names = filesEndingIn(from, ending);
  // A link in place of the folder leads out of the player's folder.
  if (names.empty() || fncPath_isLink(to)) return;
  if (IoError e = makeFolders(to)) {
    problems.push_back(e);
    return;
  }
  for (const std::string& name : names)
    if (IoError e = copyFile(joined(from, name), joined(to, name), maxBytes, refresh)) problems.push_back(e);
}

}  // namespace

Environment fncEnvironment_current() {
  Environment env;
  if (const char* v = std::getenv("XDG_DATA_HOME")) env.xdgDataHome = v;
  // A relative HOME names no folder, as a relative XDG_DATA_HOME does not.
  if (const char* v = std::getenv("HOME"); v && v[0] == '/') env.home = v;
  if (env.home.empty()) {
    struct passwd pw {};
    struct passwd* found = nullptr;
    char buf[4096];
    if (::getpwuid_r(::getuid(), &pw, buf, sizeof buf, &found) == 0 && found && found->pw_dir &&
        found->pw_dir[0] == '/')
      env.home = found->pw_dir;
  }
  return env;
}

ProgramFolder fncProgramFolder_choose(const std::string& exeDir, const Environment& env) {
  ProgramFolder folder;
  folder.sDir = exeDir;
  while (folder.sDir.size() > 1 && folder.sDir.back() == '/') folder.sDir.pop_back();
  if (writableFile(joined(folder.sDir, kInitFileName))) return folder;
  const std::string shared = joined(parentOf(folder.sDir), kSharedSubdir);
  if (!fncFile_exists(joined(shared, kInitFileName))) return folder;

  folder.bInstalled = true;
  folder.sShared = shared;
  // A relative XDG_DATA_HOME is ignored, as the XDG base directory rules say.
  std::string base;
  if (!env.xdgDataHome.empty() && env.xdgDataHome[0] == '/')
    base = env.xdgDataHome;
  else if (!env.home.empty() && env.home[0] == '/')
    base = joined(env.home, ".local/share");
  if (base.empty()) {
    folder.error = fncIoError_make(kErrPathNotFound,
                                   "no home folder: neither XDG_DATA_HOME nor HOME names one from the root, "
                                   "and the account has none");
    return folder;
  }
  folder.sDir = joined(base, kUserSubdir);
  while (folder.sDir.size() > 1 && folder.sDir.back() == '/') folder.sDir.pop_back();
  return folder;
}

std::string fncProgramFolder_shipped(const ProgramFolder& folder) {
  return folder.bInstalled ? folder.sShared : folder.sDir;
}

PrepareResult fncProgramFolder_prepare(const ProgramFolder& folder) {
  PrepareResult result;
  if (!folder.bInstalled) return result;
  if (folder.error) {
    result.error = folder.error;
    return result;
  }
  if ((result.error = makeFolders(folder.sDir))) return result;
  if ((result.error = copyFile(joined(folder.sShared, kInitFileName), joined(folder.sDir, kInitFileName),
                               kSettingsFileMax, false)))
    return result;

  // Players save their progress into the puzzles, so a file there is
  // theirs; help pages are the program's, and an update replaces them.
  copyFolder(joined(folder.sShared, kShippedDataSubdir), joined(folder.sDir, kShippedDataSubdir), ".bin",
             kPuzzleFileReadMax, false, result.problems);
  copyFolder(joined(folder.sShared, kHelpSubdir), joined(folder.sDir, kHelpSubdir), ".html", kHelpPageMax, true,
             result.problems);
  return result;
}

bool fncProgramFolder_ready(const ProgramFolder& folder, Dialogs& dialogs) {
  if (folder.error) {
    // No folder was tried, so none is named.
    dialogs.messageBox(
        fncText_message("プレイヤーのプログラム・フォルダを決められませんでした。\n%1\n", {folder.error.text()}),
        fncText("起動時エラー"), MsgIcon::Critical, MsgButtons::OK);
    return false;
  }
  const PrepareResult result = fncProgramFolder_prepare(folder);
  if (result.error) {
    dialogs.messageBox(
        fncText_message("プログラム・フォルダ\n%1\nを用意できませんでした。\n%2\n", {folder.sDir, result.error.text()}),
        fncText("起動時エラー"), MsgIcon::Critical, MsgButtons::OK);
    return false;
  }
  if (result.problems.empty()) return true;
  std::string lines;
  ScriptedDialogs unseen;
  for (const IoError& e : result.problems) {
    lines += e.text() + "\r\n";
    subError_log(unseen, folder.sDir + "/", "Line 0:" + e.text(), "Main() " + std::to_string(e.number));
  }
  dialogs.messageBox(fncText_message("プログラム・フォルダ\n%1\nに次のファイルを用意できませんでした。\n"
                                     "%2このまま始めます。",
                                     {folder.sDir, lines}),
                     fncText("プログラム・フォルダ異常"), MsgIcon::Exclamation, MsgButtons::OK);
  return true;
}

}  // namespace pakkon
