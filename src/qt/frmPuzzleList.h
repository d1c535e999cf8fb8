#pragma once
// ファイル → パズル一覧: every puzzle file of the data folder with what the
// player has done with it. Stars not yet known are worked out on a worker
// thread and filled in as they come; the window never waits for them.

#include <QDialog>
#include <map>
#include <memory>
#include <string>

#include "app/puzzle_list.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace pakkon {

class Dialogs;

class frmPuzzleList : public QDialog {
  Q_OBJECT

 public:
  // ratings: stars worked out before, by key; new ones are added to it.
  // The folder, its puzzles and the progress file are read through `storage`.
  frmPuzzleList(Storage& storage, const std::string& folder, std::map<std::string, int>& ratings, Dialogs& dialogs,
                const std::string& current, QWidget* parent = nullptr);
  ~frmPuzzleList() override;

  QTableWidget* grdPuzzles = nullptr;
  QLabel* lblFolder = nullptr;
  QPushButton* cmdOpen = nullptr;
  QPushButton* cmdPassword = nullptr;
  QPushButton* cmdClose = nullptr;

  const PuzzleList& list() const { return list_; }
  // The file chosen with 開く, a double-click or Enter; empty before.
  const std::string& chosen() const { return chosen_; }
  // True while stars are still being worked out.
  bool rating() const;

  void cmdOpen_Click();
  void cmdPassword_Click();

  enum Column { colName, colComment, colSize, colBlocks, colStars, colSolved, colTime, colActions, colHints, kColumns };

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Work;
  void fill();
  void showStars(int row, int stars);
  void updateButtons();

  PuzzleList list_;
  std::map<std::string, int>& ratings_;
  Dialogs& dialogs_;
  std::string chosen_;
  std::shared_ptr<Work> work_;
};

}  // namespace pakkon
