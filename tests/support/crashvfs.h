// A shim over SQLite's default file system layer that counts every disk step (a file created, a
// write, a truncation, a sync, a deletion) and the engine's own fault points, and kills the process
// just before step N: the state on disk is then exactly the one a crash at that moment leaves.
// Saves run in a child process made with fork(), so the test itself survives every kill.
#pragma once

#include <QString>
#include <functional>

namespace crashvfs {

// How the process stops at its step: killed (everything written so far is kept, as the system's
// cache keeps it), or a power cut (every write since the file's last sync is lost, or on even steps
// only some of the latest ones; a file the program wrote itself and did not force to disk loses its
// content). A power cut can also come right after the save, at the step after the last one.
enum class Cut { Kill, PowerLoss };
void setCut(Cut how);

// Registers the shim as SQLite's default file system layer (once; harmless while not counting).
void install();

// Thrown by begin() when the child is to stop cleanly right where counting would start.
struct Stop {};

// Starts counting; the process is killed just before step killAt (0: never killed; below 0: the
// child stops there, which gives the state just before the save).
void begin(long killAt);
// Stops counting and returns the number of steps seen since begin().
long end();

// Runs body in a child process with the engine's connection closed on both sides, and returns the
// steps the child counted (its end(); 0 when it stopped at begin()), or -1 when the child was killed at its step, or -2 when it
// failed otherwise (an exception, a hang ended by a timer). body calls begin() and end() itself.
long runInChild(const std::function<void()> &body);

} // namespace crashvfs
