#pragma once

#include <QString>
#include <functional>

namespace hoardly {

class TDM;
struct RunState;

inline constexpr auto kDatabaseOpenFailedMessage =
    "There was some problem to open the database. Please, close this program and start it "
    "over. ";

// The directory of all tables: the executable's directory without its trailing separator.
// The root directory keeps its "/", since an empty path would name the working directory.
QString appDirFrom(const QString& executableDirectory);

// What the set-up hands back to the window that runs it.
struct DatabaseSetupSteps {
    std::function<void()> letWindowsPaint;  // pending window messages run
    std::function<void()> pause;            // the intro stays on the screen a while
    std::function<void()> enableMusicTimer; // the music may start once the tables are known
};

enum class DatabaseSetupResult { Done, DatabaseError };

// The start-up's database work: finds AppDir, opens the settings and pick-list tables, records
// Applikationpath on the first start, points every other table (and the query) at AppDir with
// the film table in index order Nummer, and sets StartupDone. Last, it makes the settings and
// code files private to their owner (a FileError when it cannot; the set-up is done anyway).
// When the settings or pick-list table cannot be opened, or the settings table has no row,
// both are closed again, nothing else is touched, StartupDone stays false and the result says
// so; the caller shows kDatabaseOpenFailedMessage.
DatabaseSetupResult setUpDatabase(TDM& tdm, RunState& run, const QString& executableDirectory,
                                  const DatabaseSetupSteps& steps);

} // namespace hoardly
