#pragma once
// New puzzles without a drawing: a random dissection of the box into
// connected blocks, kept only when its packing is unique up to the box's
// rotations and its difficulty falls in the asked star range. The result
// is a puzzle source (docs/puzzle-format.md) and the file `make` writes
// for it. Everything random comes from the seed, so a seed names a puzzle.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "maker/puzzle_text.h"
#include "model/state.h"
#include "solver/rating.h"

namespace pakkon {

struct GenerateOptions {
  int sizeX = 4, sizeY = 4, sizeZ = 4;  // 2..4 each
  int blocks = 8;                       // 2..8
  int minCells = 0, maxCells = 0;       // 0: chosen from the average block
  bool allowIdentical = false;
  int minStars = 1, maxStars = 5;
  uint64_t seed = 1;
  int maxTries = 20000;  // dissections and moves looked at before giving up
  double timeLimit = 0;  // seconds; 0: none
  // Polled between tries and inside the rating; true ends the run.
  const std::atomic<bool>* cancel = nullptr;
  // After every try: tries so far and maxTries.
  std::function<void(int tries, int maxTries)> progress;
};

enum class GenerateStatus { Ok, BadOptions, NotFound, Cancelled };

struct GenerateResult {
  GenerateStatus status = GenerateStatus::BadOptions;
  std::string message;     // why not: BadOptions as fncGenerate_check says it, else English (tool, logs)
  int tries = 0;           // dissections and moves looked at
  double seconds = 0;      // the search's time
  bool timedOut = false;   // NotFound because the time limit came first
  int dissections = 0;     // growths started, the walled-in ones included
  std::string sourceText;  // the puzzle source, as `make` reads it
  PuzzleSource source;
  PuzzleState state;  // what `make` writes: blocks as made, shuffled, box empty
  std::string file;   // the puzzle file's bytes
  DifficultyRating rating;
};

// The block sizes used when none are given: about 5/8 and 11/8 of the average.
void subGenerate_defaultCells(const GenerateOptions& o, int& minCells, int& maxCells);

// Empty when the options may make a puzzle; otherwise why they never can,
// in the interface's language. Both front ends ask it before any search.
std::string fncGenerate_check(const GenerateOptions& o);

GenerateResult fncPuzzle_generate(const GenerateOptions& o);

// A fresh seed from the clock, small enough to read and type back.
uint64_t fncGenerated_seed();

// "generated-4x4x4-8-12345.bin": box, blocks and seed.
std::string fncGenerated_fileName(const GenerateOptions& o);

// The comment of a generated puzzle: size, blocks and stars, in the
// interface's language, within the 40 bytes a file holds.
std::string fncGenerated_comment(int sx, int sy, int sz, int blocks, int stars);

}  // namespace pakkon
