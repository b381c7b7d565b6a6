#include "support/crashvfs.h"

#include "store/database.h"

#include <cstring>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace crashvfs {

namespace {

sqlite3_vfs *real = nullptr;
sqlite3_vfs shim;
sqlite3_io_methods methods;
bool counting = false;
long counted = 0;
long limit = 0;

// One disk step: counted, and the process dies just before the one it must not reach.
void step()
{
    if (!counting)
        return;
    if (++counted == limit)
        ::kill(::getpid(), SIGKILL);
}

struct File {
    sqlite3_file base;
    sqlite3_file *inner; // the real file, stored right after this header
};

sqlite3_file *inner(sqlite3_file *f) { return reinterpret_cast<File *>(f)->inner; }

int xClose(sqlite3_file *f) { return inner(f)->pMethods->xClose(inner(f)); }
int xRead(sqlite3_file *f, void *buf, int n, sqlite3_int64 off) { return inner(f)->pMethods->xRead(inner(f), buf, n, off); }
int xWrite(sqlite3_file *f, const void *buf, int n, sqlite3_int64 off)
{
    step();
    return inner(f)->pMethods->xWrite(inner(f), buf, n, off);
}
int xTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    step();
    return inner(f)->pMethods->xTruncate(inner(f), size);
}
// A killed process leaves what it wrote in the system's cache, where the next start reads it: a
// sync changes nothing for this test but its time, so it is counted and not made.
int xSync(sqlite3_file *, int)
{
    step();
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
    if (file->inner->pMethods) {
        methods.iVersion = file->inner->pMethods->iVersion;
        file->base.pMethods = &methods;
    }
    return rc;
}

int xDelete(sqlite3_vfs *, const char *name, int)
{
    step();
    return real->xDelete(real, name, 0);
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
    // The engine's own steps between disk operations count as well.
    store::Database::faultHook() = [](const QString &) { step(); };
}

long end()
{
    counting = false;
    store::Database::faultHook() = nullptr;
    return counted;
}

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
