#pragma once
// One running copy per program folder and user: a QLockFile in the user's
// runtime folder. Only a lock held by another live copy keeps a start out;
// a lock that cannot be taken for any other reason lets the program start.

#include <QLockFile>
#include <QString>
#include <string>

namespace pakkon {

// The lock file for a program folder, named after a hash of the folder.
QString fncInstanceLock_path(const QString& programDir);

class InstanceLock {
 public:
  enum class Result {
    Acquired,  // held by this copy until destruction
    Running,   // held by another live copy
    Failed,    // no lock to be had (errorNumber(), errorText()); start anyway
  };

  explicit InstanceLock(const QString& path);
  Result acquire();

  int errorNumber() const { return errorNumber_; }
  const std::string& errorText() const { return errorText_; }

 private:
  Result fail(int number, const std::string& why);

  QString path_;
  QLockFile lock_;
  int errorNumber_ = 0;
  std::string errorText_;
};

}  // namespace pakkon
