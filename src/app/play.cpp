#include "app/play.h"

#include <cstring>

#include "geometry/loading.h"
#include "geometry/mask.h"
#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "platform/text.h"
#include "platform/text_catalogue.h"

namespace pakkon {

// ---- the move list ----

// What an action may change, kept small: blocks as cell masks (every cell
// of a block grid is 0 or 1), the box grids shared between the entries
// that did not change them.
struct PlayLayer::Snapshot {
  struct Box {
    Grid iBox, iBoxPiece;
    ColourGrid lBoxColor;
  };
  std::array<uint64_t, kPieces> pieces{};
  std::shared_ptr<const Box> box;
  std::array<int16_t, kPieces> used{};
  int16_t sel = 0;
  PlayControls controls;

  bool sameAs(const Snapshot& o) const {
    return pieces == o.pieces && used == o.used && sel == o.sel && controls == o.controls &&
           std::memcmp(box.get(), o.box.get(), sizeof(Box)) == 0;
  }
};

struct PlayLayer::Entry {
  std::vector<PlayAction> actions;
  Snapshot before;
};

PlayLayer::PlayLayer(PuzzleState& st) : st_(st) {}
PlayLayer::~PlayLayer() = default;

PlayLayer::Snapshot PlayLayer::snapshot() const {
  Snapshot s;
  for (int b = 0; b < kPieces; ++b) s.pieces[b] = fncGrid_mask(st_.G_iPiece[b]);
  auto box = std::make_shared<Snapshot::Box>();
  std::memcpy(box->iBox, st_.G_iBox, sizeof(Grid));
  std::memcpy(box->iBoxPiece, st_.G_iBoxPiece, sizeof(Grid));
  std::memcpy(box->lBoxColor, st_.G_lBoxColor, sizeof(ColourGrid));
  // Share the box of the latest entry when it did not change.
  if (!undo_.empty() && std::memcmp(undo_.back().before.box.get(), box.get(), sizeof(Snapshot::Box)) == 0)
    s.box = undo_.back().before.box;
  else
    s.box = std::move(box);
  std::memcpy(s.used.data(), st_.G_iPieceUsed, sizeof st_.G_iPieceUsed);
  s.sel = st_.iPiece_Sel;
  s.controls = c_;
  return s;
}

void PlayLayer::restore(const Snapshot& s) {
  for (int b = 0; b < kPieces; ++b) subMask_grid(s.pieces[b], st_.G_iPiece[b]);
  std::memcpy(st_.G_iBox, s.box->iBox, sizeof(Grid));
  std::memcpy(st_.G_iBoxPiece, s.box->iBoxPiece, sizeof(Grid));
  std::memcpy(st_.G_lBoxColor, s.box->lBoxColor, sizeof(ColourGrid));
  std::memcpy(st_.G_iPieceUsed, s.used.data(), sizeof st_.G_iPieceUsed);
  st_.iPiece_Sel = s.sel;
  // The inputs, the permissions (Reset after giving up) and the mode are the
  // player's, not the move list's: undo gives back the puzzle and what
  // follows from it.
  const PlayControls now = c_;
  c_ = s.controls;
  c_.face = now.face;
  c_.deadSpace = now.deadSpace;
  c_.makePiece = now.makePiece;
  c_.botom = now.botom;
  c_.reset = now.reset;
  c_.shuffle = now.shuffle;
  c_.list = now.list;
  c_.boxButtons = now.boxButtons;
  c_.set = now.set;
  c_.setCancel = now.setCancel;
  c_.autoNext = now.autoNext;
}

bool PlayLayer::canUndo() const { return !undo_.empty(); }
bool PlayLayer::canRedo() const { return !redo_.empty(); }
size_t PlayLayer::undoDepth() const { return undo_.size(); }
size_t PlayLayer::redoDepth() const { return redo_.size(); }

size_t PlayLayer::moveListBytes() const {
  size_t bytes = 0;
  const void* lastBox = nullptr;
  for (const auto* list : {&undo_, &redo_})
    for (const Entry& e : *list) {
      bytes += sizeof(Entry) + e.actions.capacity() * sizeof(PlayAction) + e.before.controls.sum.capacity();
      if (e.before.box.get() != lastBox) bytes += sizeof(Snapshot::Box);
      lastBox = e.before.box.get();
    }
  return bytes;
}

void PlayLayer::clearMoves() {
  undo_.clear();
  redo_.clear();
}

// ---- actions ----

bool PlayLayer::enabled(const PlayAction& a) const {
  switch (a.kind) {
    case ActionKind::Select: return c_.list;
    case ActionKind::TurnZ:
    case ActionKind::TurnX:
    case ActionKind::TurnY:
    case ActionKind::XInc:
    case ActionKind::XDec:
    case ActionKind::YInc:
    case ActionKind::YDec:
    case ActionKind::ZInc:
    case ActionKind::ZDec:
    case ActionKind::Origin: return c_.pieceButtons;
    case ActionKind::Bottom: return c_.botom;
    case ActionKind::Reset: return c_.reset;
    case ActionKind::Shuffle: return c_.shuffle;
    case ActionKind::Load: return c_.load;
    case ActionKind::Cancel: return c_.cancel;
    case ActionKind::Unload: return c_.boxButtons && a.block >= 0 && a.block < kPieces && c_.option[a.block];
    case ActionKind::Clear:
    case ActionKind::BoxTurnZ:
    case ActionKind::BoxTurnX:
    case ActionKind::BoxTurnY:
    case ActionKind::BoxOrigin: return c_.boxButtons;
    case ActionKind::Undo: return canUndo();
    case ActionKind::Redo: return canRedo();
  }
  return false;
}

PlayOutcome PlayLayer::apply(const PlayAction& action, PlayHost& host, bool checkEnabled, bool record) {
  PlayOutcome out;
  if (checkEnabled && !enabled(action)) return out;
  out.done = true;
  out_ = &out;

  if (action.kind == ActionKind::Undo || action.kind == ActionKind::Redo) {
    std::vector<Entry>& from = action.kind == ActionKind::Undo ? undo_ : redo_;
    if (from.empty()) {
      out.done = false;
    } else if (action.kind == ActionKind::Undo) {
      Entry e = std::move(undo_.back());
      undo_.pop_back();
      Snapshot now = snapshot();
      restore(e.before);
      e.before = std::move(now);
      redo_.push_back(std::move(e));
      out.boxDrawn = out.pieceDrawn = true;
    } else {
      // Redo replays the actions quietly (their messages were seen when they
      // were made, and a replayed completion is not a new one); the shuffle
      // draws the same.
      Entry e = std::move(redo_.back());
      redo_.pop_back();
      Entry again{e.actions, snapshot()};
      PlayHost quiet;
      for (PlayAction& a : e.actions) perform(a, quiet);
      undo_.push_back(std::move(again));
    }
    out_ = nullptr;
    return out;
  }

  Snapshot before = snapshot();
  PlayAction a = action;
  perform(a, host);
  out_ = nullptr;
  const Snapshot after = snapshot();
  if (record && !before.sameAs(after)) {
    out.boxChanged = std::memcmp(before.box.get(), after.box.get(), sizeof(Snapshot::Box)) != 0;
    undo_.push_back(Entry{{a}, std::move(before)});
    redo_.clear();
    out.recorded = true;
  }
  return out;
}

PlayOutcome PlayLayer::applyGroup(const std::vector<PlayAction>& actions, PlayHost& host) {
  PlayOutcome out;
  out.done = true;
  out_ = &out;
  Snapshot before = snapshot();
  std::vector<PlayAction> done = actions;
  for (PlayAction& a : done) perform(a, host);
  out_ = nullptr;
  if (!before.sameAs(snapshot())) {
    undo_.push_back(Entry{std::move(done), std::move(before)});
    redo_.clear();
    out.recorded = true;
  }
  return out;
}

void PlayLayer::opened() {
  // Clear has left the list on its first row, so selecting it runs
  // nothing: Load and the block buttons stay as Clear set them, even when
  // the file has block 1 loaded. A layer that never saw a Clear stands as
  // one after a puzzle whose first block had cells.
  if (c_.listIndex != 0) {
    c_.listIndex = 0;
    c_.load = true;
    c_.cancel = false;
    c_.pieceButtons = true;
  }
  c_.sum = fncStr(st_.G_iCellDone) + " : " + fncStr(st_.G_iCellTotal);
  for (int b = 0; b < kPieces; ++b)
    if (st_.G_iPieceUsed[b] == 1) {
      c_.option[b] = true;
      c_.checked = b;
    }
  st_.iPiece_Sel = 0;
  c_.shown = 0;
  clearMoves();
}

void PlayLayer::select(int n) {
  c_.listIndex = n;
  c_.shown = n;
  out_->pieceDrawn = true;
  if (c_.makePiece) {
    st_.iPiece_Sel = static_cast<int16_t>(n);
    return;
  }
  const bool free = st_.G_iPieceUsed[n] == 0 && fncPiece_count(st_, n) != 0;
  c_.load = free;
  c_.cancel = false;
  if (free) st_.iPiece_Sel = static_cast<int16_t>(n);
  c_.pieceButtons = free;
}

// Setting the list's index runs the selection only when it changes.
void PlayLayer::setListIndex(int index) {
  if (c_.listIndex == index) return;
  select(index);
}

void PlayLayer::selectFirstVisibleOption() {
  for (int k = 0; k < kPieces; ++k)
    if (c_.option[k]) {
      c_.checked = k;
      return;
    }
}

int PlayLayer::showSum() {
  const int m = fncBox_count(st_.G_iBox);
  c_.sum = fncStr(m) + " : " + fncStr(st_.G_iCellTotal);
  return m;
}

void PlayLayer::clearBox() {
  subBox_clear(st_);
  c_.option.fill(false);
  out_->boxDrawn = true;
  st_.iPiece_Sel = 0;
  c_.sum.clear();
  if (c_.listIndex != 0) {
    setListIndex(0);
  } else {
    setListIndex(1);
    setListIndex(0);
  }
}

void PlayLayer::perform(PlayAction& a, PlayHost& host) {
  const int b = st_.iPiece_Sel;
  auto pieceDone = [&] {
    c_.shown = st_.iPiece_Sel;
    out_->pieceDrawn = true;
  };
  switch (a.kind) {
    case ActionKind::Select:
      // A click on the row already shown selects it again.
      select(a.block);
      break;
    case ActionKind::TurnZ: subPiece_turnZ(st_, b), pieceDone(); break;
    case ActionKind::TurnX: subPiece_turnX(st_, b), pieceDone(); break;
    case ActionKind::TurnY: subPiece_turnY(st_, b), pieceDone(); break;
    case ActionKind::XInc: fncPiece_xInc(st_, b), pieceDone(); break;
    case ActionKind::XDec: fncPiece_xDec(st_, b), pieceDone(); break;
    case ActionKind::YInc: fncPiece_yInc(st_, b), pieceDone(); break;
    case ActionKind::YDec: fncPiece_yDec(st_, b), pieceDone(); break;
    case ActionKind::ZInc: fncPiece_zInc(st_, b), pieceDone(); break;
    case ActionKind::ZDec: fncPiece_zDec(st_, b), pieceDone(); break;
    case ActionKind::Origin: subPiece_origin(st_, b), pieceDone(); break;
    case ActionKind::Bottom: subPiece_setFace(st_, b, c_.face), pieceDone(); break;
    case ActionKind::Reset:
      subPieces_reset(st_);
      pieceDone();
      if (!c_.makePiece) c_.reset = false;
      c_.setCancel = true;
      c_.set = true;
      c_.autoNext = true;
      break;
    case ActionKind::Shuffle:
      c_.reset = true;
      c_.set = false;
      c_.setCancel = false;
      c_.autoNext = false;
      if (a.seed == 0) a.seed = fncClockSeed() | 1;
      subPieces_shuffle(st_, fncSeededRandom(a.seed));
      pieceDone();
      break;
    case ActionKind::Load: {
      switch (fncPiece_load(st_, b)) {
        case LoadRefusal::AlreadyUsed:
          host.tell({fncText_message("%1 既に使用しています！", {fncStr(b + 1)}), fncText("×それは駄目×"),
                     MsgIcon::Critical});
          return;
        case LoadRefusal::NoRoom:
          host.tell({fncText("そこには、置けません！"), fncText("×そこは駄目×"), MsgIcon::Critical});
          return;
        case LoadRefusal::None: break;
      }
      out_->boxDrawn = true;
      c_.pieceButtons = false;
      c_.load = false;
      c_.cancel = true;
      c_.option[b] = true;
      c_.checked = b;
      if (c_.deadSpace && fncBox_deadCell(st_.G_iBox))
        host.tell({fncText("う～ん、死んだ目ができてしまった。違う所を選んだ方がいいと思う！"),
                   fncText("×そこは、結局は駄目×"), MsgIcon::Exclamation});
      if (showSum() == st_.G_iCellTotal)
        host.tell({fncText("☆グレイト☆　お疲れさまでした"), fncText("♪おめでとう♪"), MsgIcon::Information});
      break;
    }
    case ActionKind::Cancel:
      subPiece_unload(st_, b);
      out_->boxDrawn = true;
      c_.load = true;
      c_.cancel = false;
      c_.pieceButtons = true;
      c_.option[b] = false;
      selectFirstVisibleOption();
      showSum();
      break;
    case ActionKind::Unload: {
      const int r = a.block;
      c_.option[r] = false;
      selectFirstVisibleOption();
      subPiece_unload(st_, r);
      out_->boxDrawn = true;
      int n = 0;
      for (bool shown : c_.option) n += shown ? 1 : 0;
      if (n > 0) {
        showSum();
        if (c_.listIndex == r) setListIndex(0);
        setListIndex(r);
      } else {
        clearBox();
        c_.load = true;
        c_.cancel = false;
        c_.pieceButtons = true;
        setListIndex(0);
      }
      break;
    }
    case ActionKind::Clear: clearBox(); break;
    case ActionKind::BoxTurnZ: subPuzzle_turnZ(st_), out_->boxDrawn = true; break;
    case ActionKind::BoxTurnX: subPuzzle_turnX(st_), out_->boxDrawn = true; break;
    case ActionKind::BoxTurnY: subPuzzle_turnY(st_), out_->boxDrawn = true; break;
    case ActionKind::BoxOrigin: subPuzzle_origin(st_), out_->boxDrawn = true; break;
    case ActionKind::Undo:
    case ActionKind::Redo: break;  // handled by apply
  }
}

}  // namespace pakkon
