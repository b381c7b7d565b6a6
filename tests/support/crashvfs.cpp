#include "support/crashvfs.h"

#include "core/helpers.h"
#include "store/database.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <set>
#include <signal.h>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace crashvfs {

namespace {

sqlite3_vfs *real = nullptr;
sqlite3_vfs shim;
sqlite3_io_methods methods;
bool counting = false;
long counted = 0;
long limit = 0;

Cut cut = Cut::Kill;

// For a power cut: what each file written through SQLite held before every write since its last
// sync, oldest first, so that the writes the disk never got can be taken back.
struct Undo {
    sqlite3_int64 offset;
    sqlite3_int64 sizeBefore;
    std::string bytes;
};
std::map<std::string, std::vector<Undo>> unsynced;
std::map<sqlite3_file *, std::string> paths;
// Files the program wrote itself and has not forced to disk yet, under their current names.
std::set<std::string> unflushed;

// How many of a file's unsynced writes the disk kept: none on odd steps, some on even ones (a disk
// writes back in its own time, but in order here), always the same for the same step.
size_t kept(size_t pending, size_t which)
{
    if (limit % 2 != 0 || pending == 0)
        return 0;
    const unsigned long long h = (static_cast<unsigned long long>(limit) * 2654435761ULL) ^ (which * 40503ULL);
    return size_t(h % (pending + 1));
}

// The power goes: every write not synced is lost (beyond the prefix kept), and so is the content of
// every file the program wrote and did not force to disk; then the process dies.
void powerLoss()
{
    size_t which = 0;
    for (auto &[path, undos] : unsynced) {
        const size_t keep = kept(undos.size(), which++);
        if (keep == undos.size())
            continue;
        const int fd = ::open(path.c_str(), O_WRONLY);
        if (fd < 0)
            continue;
        for (size_t i = undos.size(); i-- > keep;)
            (void)!::pwrite(fd, undos[i].bytes.data(), undos[i].bytes.size(), undos[i].offset);
        (void)!::ftruncate(fd, undos[keep].sizeBefore);
        ::close(fd);
    }
    for (const std::string &path : unflushed)
        (void)!::truncate(path.c_str(), 0);
}

// One disk step: counted, and the process dies just before the one it must not reach.
void step()
{
    if (!counting)
        return;
    if (++counted == limit) {
        if (cut == Cut::PowerLoss)
            powerLoss();
        ::kill(::getpid(), SIGKILL);
    }
}

// Before a write or a truncation through SQLite: what the bytes it changes held until now.
void remember(sqlite3_file *f, sqlite3_int64 offset, sqlite3_int64 length);

struct File {
    sqlite3_file base;
    sqlite3_file *inner; // the real file, stored right after this header
};

sqlite3_file *inner(sqlite3_file *f) { return reinterpret_cast<File *>(f)->inner; }

int xClose(sqlite3_file *f)
{
    paths.erase(f);
    return inner(f)->pMethods->xClose(inner(f));
}
int xRead(sqlite3_file *f, void *buf, int n, sqlite3_int64 off) { return inner(f)->pMethods->xRead(inner(f), buf, n, off); }
int xWrite(sqlite3_file *f, const void *buf, int n, sqlite3_int64 off)
{
    step();
    remember(f, off, n);
    return inner(f)->pMethods->xWrite(inner(f), buf, n, off);
}
int xTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    step();
    sqlite3_int64 now = 0;
    if (inner(f)->pMethods->xFileSize(inner(f), &now) == SQLITE_OK && now > size)
        remember(f, size, now - size);
    return inner(f)->pMethods->xTruncate(inner(f), size);
}
// A killed process leaves what it wrote in the system's cache, where the next start reads it: a
// sync changes nothing for a kill but its time, so it is counted and not made. For a power cut it
// is the moment the file's writes so far are safe.
int xSync(sqlite3_file *f, int)
{
    step();
    const auto known = paths.find(f);
    if (known != paths.end())
        unsynced.erase(known->second);
    return SQLITE_OK;
}
int xFileSize(sqlite3_file *f, sqlite3_int64 *size) { return inner(f)->pMethods->xFileSize(inner(f), size); }
int xLock(sqlite3_file *f, int l) { return inner(f)->pMethods->xLock(inner(f), l); }
int xUnlock(sqlite3_file *f, int l) { return inner(f)->pMethods->xUnlock(inner(f), l); }
int xCheckReservedLock(sqlite3_file *f, int *out) { return inner(f)->pMethods->xCheckReservedLock(inner(f), out); }
int xFileControl(sqlite3_file *f, int op, void *arg) { return inner(f)->pMethods->xFileControl(inner(f), op, arg); }
int xSectorSize(sqlite3_file *f) { return inner(f)->pMethods->xSectorSize(inner(f)); }
int xDeviceCharacteristics(sqlite3_file *f) { return inner(f)->pMethods->xDeviceCharacteristics(inner(f)); }
int xShmMap(sqlite3_file *f, int pg, int size, int extend, void volatile **pp)
{
    return inner(f)->pMethods->xShmMap(inner(f), pg, size, extend, pp);
}
int xShmLock(sqlite3_file *f, int offset, int n, int flags) { return inner(f)->pMethods->xShmLock(inner(f), offset, n, flags); }
void xShmBarrier(sqlite3_file *f) { inner(f)->pMethods->xShmBarrier(inner(f)); }
int xShmUnmap(sqlite3_file *f, int del) { return inner(f)->pMethods->xShmUnmap(inner(f), del); }
int xFetch(sqlite3_file *f, sqlite3_int64 off, int n, void **pp) { return inner(f)->pMethods->xFetch(inner(f), off, n, pp); }
int xUnfetch(sqlite3_file *f, sqlite3_int64 off, void *p) { return inner(f)->pMethods->xUnfetch(inner(f), off, p); }

int xOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    auto *file = reinterpret_cast<File *>(f);
    file->inner = reinterpret_cast<sqlite3_file *>(file + 1);
    file->base.pMethods = nullptr;
    // A journal or super-journal coming into being is a step of its own.
    if (flags & SQLITE_OPEN_CREATE && !(flags & SQLITE_OPEN_MAIN_DB))
        step();
    const int rc = real->xOpen(real, name, file->inner, flags, outFlags);
    if (rc == SQLITE_OK && name)
        paths[f] = name;
    if (file->inner->pMethods) {
        methods.iVersion = file->inner->pMethods->iVersion;
        file->base.pMethods = &methods;
    }
    return rc;
}

int xDelete(sqlite3_vfs *, const char *name, int)
{
    step();
    unsynced.erase(name);
    return real->xDelete(real, name, 0);
}

void remember(sqlite3_file *f, sqlite3_int64 offset, sqlite3_int64 length)
{
    if (!counting || cut != Cut::PowerLoss)
        return;
    const auto known = paths.find(f);
    sqlite3_int64 size = 0;
    if (known == paths.end() || inner(f)->pMethods->xFileSize(inner(f), &size) != SQLITE_OK)
        return;
    Undo undo{offset, size, {}};
    if (offset < size) {
        undo.bytes.resize(size_t(std::min(length, size - offset)));
        inner(f)->pMethods->xRead(inner(f), undo.bytes.data(), int(undo.bytes.size()), offset);
    }
    unsynced[known->second].push_back(std::move(undo));
}

void hearProgram(PassoDisco passo, const QString &path, const QString &newName)
{
    if (!counting || cut != Cut::PowerLoss)
        return;
    const std::string name = QFile::encodeName(path).toStdString();
    switch (passo) {
    case PassoDisco::Scritto:
        unflushed.insert(name);
        break;
    case PassoDisco::SuDisco:
        unflushed.erase(name);
        break;
    case PassoDisco::Spostato:
        if (unflushed.erase(name))
            unflushed.insert(QFile::encodeName(newName).toStdString());
        break;
    }
}

} // namespace

void install()
{
    if (real)
        return;
    real = sqlite3_vfs_find(nullptr);
    std::memcpy(&shim, real, sizeof(shim));
    shim.pNext = nullptr;
    shim.zName = "rotaset_crash";
    shim.szOsFile = int(sizeof(File)) + real->szOsFile;
    shim.xOpen = xOpen;
    shim.xDelete = xDelete;
    methods = {3,       xClose,          xRead,     xWrite,   xTruncate,         xSync,
               xFileSize, xLock,          xUnlock,   xCheckReservedLock, xFileControl, xSectorSize,
               xDeviceCharacteristics, xShmMap, xShmLock, xShmBarrier, xShmUnmap, xFetch, xUnfetch};
    sqlite3_vfs_register(&shim, 1);
}

void begin(long killAt)
{
    if (killAt < 0)
        throw Stop();
    counted = 0;
    limit = killAt;
    counting = true;
    unsynced.clear();
    unflushed.clear();
    OsservatoreDisco() = hearProgram;
    // The engine's own steps between disk operations count as well.
    store::Database::faultHook() = [](const QString &) { step(); };
}

long end()
{
    // The step right after the last one: the power goes once the save has said it is done.
    if (counting && cut == Cut::PowerLoss && limit == counted + 1) {
        powerLoss();
        ::kill(::getpid(), SIGKILL);
    }
    counting = false;
    OsservatoreDisco() = nullptr;
    store::Database::faultHook() = nullptr;
    return counted;
}

void setCut(Cut how) { cut = how; }

long runInChild(const std::function<void()> &body)
{
    store::Database::shutdown();
    int channel[2];
    if (::pipe(channel) != 0)
        return -2;
    const pid_t pid = ::fork();
    if (pid < 0)
        return -2;
    if (pid == 0) {
        ::close(channel[0]);
        ::alarm(60); // a child that hangs is a failure, never a hung test
        long steps = -2;
        try {
            body();
            steps = counted;
        } catch (const Stop &) {
            steps = 0;
        } catch (...) {
        }
        store::Database::shutdown();
        (void)!::write(channel[1], &steps, sizeof(steps));
        ::_exit(0);
    }
    ::close(channel[1]);
    long steps = -2;
    const bool told = ::read(channel[0], &steps, sizeof(steps)) == sizeof(steps);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        return -1;
    return told && WIFEXITED(status) ? steps : -2;
}

} // namespace crashvfs
