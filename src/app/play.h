#pragma once
// The play layer: every player action of the play mode is a value with a
// short text form, one function applies it to the puzzle through the
// geometry routines, and one move list takes actions back and replays them.
// It also keeps the state of the play controls (which buttons are enabled,
// the loaded-block options, the list row, the count label), so undo can give
// back exactly what the player saw. Qt-free: they are the play controls'
// one state; the window shows them and writes every change of its own
// (modes, the maker, the loader, the player's marks and scroll bar) here
// first, never reading a widget back; the tool keeps them itself.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/action.h"
#include "model/state.h"
#include "platform/dialogs.h"

namespace pakkon {

// The play controls as the player sees them.
struct PlayControls {
  bool load = false;                   // cmdLoad
  bool cancel = false;                 // cmdCancel
  bool pieceButtons = true;            // cmdOrg, cmdTurn(0..2), the six moves
  bool boxButtons = true;              // cmdRemove, cmdOrgPZ, cmdClear, cmdTurn(3..5)
  bool botom = true;                   // cmdBotom
  bool reset = false;                  // cmdReset
  bool shuffle = false;                // cmdShuffle
  bool list = true;                    // lstPiece
  bool set = true;                     // cmdSet
  bool setCancel = true;               // cmdSetCancel
  bool autoNext = false;               // chkAutoNext shown
  std::array<bool, kPieces> option{};  // optPiece shown
  int checked = 0;                     // the option with the mark
  int listIndex = -1;                  // lstPiece row
  int shown = 0;                       // the block in the block view
  std::string sum;                     // lblSum
  // Read, never changed, by the actions:
  int face = 0;            // hscFace
  bool deadSpace = false;  // chkDedSpace ticked
  bool makePiece = false;  // making blocks: the selection's simpler rule
  bool operator==(const PlayControls&) const = default;
};

// A message the player must be told, as the window shows it.
struct PlayMessage {
  std::string text;
  std::string title;
  MsgIcon icon = MsgIcon::None;
};

// What the layer asks of its surroundings while an action runs.
class PlayHost {
 public:
  virtual ~PlayHost() = default;
  // A modal message, at the moment it is due: the controls and grids then
  // show the state up to it.
  virtual void tell(const PlayMessage& /*message*/) {}
};

// What an action did.
struct PlayOutcome {
  bool done = false;        // false: not possible now (button disabled, nothing to undo)
  bool recorded = false;    // went into the move list
  bool boxDrawn = false;    // the box grids were redrawn (changed or not)
  bool boxChanged = false;  // recorded, and the box is not as it was: a move as a player counts them
  bool pieceDrawn = false;
};

class PlayLayer {
 public:
  explicit PlayLayer(PuzzleState& st);
  ~PlayLayer();
  PlayLayer(const PlayLayer&) = delete;
  PlayLayer& operator=(const PlayLayer&) = delete;

  PlayControls& controls() { return c_; }
  const PlayControls& controls() const { return c_; }

  // Applies one action. checkEnabled: refuse an action whose control is
  // disabled (keys and scripts); a button's own click does not check.
  // record: the action goes into the move list when it changed anything.
  PlayOutcome apply(const PlayAction& a, PlayHost& host, bool checkEnabled = true, bool record = true);
  // Several actions as one entry of the move list (a hint).
  PlayOutcome applyGroup(const std::vector<PlayAction>& actions, PlayHost& host);

  // The play controls of a puzzle just opened: the first block selected,
  // the count as saved, the options of the loaded blocks, block 1 shown.
  void opened();

  // True when the control that performs the action is enabled now.
  bool enabled(const PlayAction& a) const;

  bool canUndo() const;
  bool canRedo() const;
  size_t undoDepth() const;
  size_t redoDepth() const;
  // Bytes held by the move list (for the benchmark).
  size_t moveListBytes() const;
  // A new puzzle, the maker, the auto loader or the demonstration.
  void clearMoves();

 private:
  struct Snapshot;
  struct Entry;
  Snapshot snapshot() const;
  void restore(const Snapshot& s);
  void perform(PlayAction& a, PlayHost& host);
  void select(int n);
  void setListIndex(int index);
  void selectFirstVisibleOption();
  int showSum();
  void clearBox();

  PuzzleState& st_;
  PlayControls c_;
  PlayOutcome* out_ = nullptr;
  std::vector<Entry> undo_;
  std::vector<Entry> redo_;
};

}  // namespace pakkon
