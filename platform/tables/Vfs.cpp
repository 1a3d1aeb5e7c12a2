#include "Vfs.h"

#include <QFile>
#include <cstring>
#include <mutex>
#include <sqlite3.h>

namespace tables::vfs {

namespace {

sqlite3_vfs *base = nullptr;
FaultHook hook;
QString lastFailure;
struct CommitWatch {
    bool superJournal = false, tableSynced = false, journalEnded = false, superDeleted = false;
} watch;

bool isSuperJournal(const char *path)
{
    return path && std::strstr(path, "-mj") != nullptr;
}

bool isJournal(const char *path)
{
    const size_t n = path ? std::strlen(path) : 0;
    return n >= 8 && std::strcmp(path + n - 8, "-journal") == 0;
}

// A file of the layer: our header, then the system VFS's own file object.
struct File {
    sqlite3_file header;
    const char *path; // owned by SQLite, valid until close
    sqlite3_file *real() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

File *self(sqlite3_file *f)
{
    return reinterpret_cast<File *>(f);
}

int guarded(Op op, const char *path, const std::function<int()> &work)
{
    int rc = hook ? hook(op, path) : SQLITE_OK;
    if (rc == SQLITE_OK)
        rc = work();
    if (rc != SQLITE_OK && path)
        lastFailure = QFile::decodeName(path);
    // Once the table file is synced, the next change to its journal (zeroed, cut or removed)
    // is what makes a one-file transaction durable.
    if (rc == SQLITE_OK && op != Op::Sync && watch.tableSynced && isJournal(path))
        watch.journalEnded = true;
    return rc;
}

int xClose(sqlite3_file *f)
{
    File *file = self(f);
    return file->real()->pMethods ? file->real()->pMethods->xClose(file->real()) : SQLITE_OK;
}

int xRead(sqlite3_file *f, void *buf, int amount, sqlite3_int64 offset)
{
    return self(f)->real()->pMethods->xRead(self(f)->real(), buf, amount, offset);
}

int xWrite(sqlite3_file *f, const void *buf, int amount, sqlite3_int64 offset)
{
    File *file = self(f);
    return guarded(Op::Write, file->path, [&] {
        return file->real()->pMethods->xWrite(file->real(), buf, amount, offset);
    });
}

int xTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    File *file = self(f);
    return guarded(Op::Truncate, file->path,
                   [&] { return file->real()->pMethods->xTruncate(file->real(), size); });
}

int xSync(sqlite3_file *f, int flags)
{
    File *file = self(f);
    const int rc =
        guarded(Op::Sync, file->path, [&] { return file->real()->pMethods->xSync(file->real(), flags); });
    if (rc == SQLITE_OK && !isJournal(file->path) && !isSuperJournal(file->path))
        watch.tableSynced = true;
    return rc;
}

int xFileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    return self(f)->real()->pMethods->xFileSize(self(f)->real(), size);
}

int xLock(sqlite3_file *f, int lock)
{
    return self(f)->real()->pMethods->xLock(self(f)->real(), lock);
}

int xUnlock(sqlite3_file *f, int lock)
{
    return self(f)->real()->pMethods->xUnlock(self(f)->real(), lock);
}

int xCheckReservedLock(sqlite3_file *f, int *out)
{
    return self(f)->real()->pMethods->xCheckReservedLock(self(f)->real(), out);
}

int xFileControl(sqlite3_file *f, int op, void *arg)
{
    return self(f)->real()->pMethods->xFileControl(self(f)->real(), op, arg);
}

int xSectorSize(sqlite3_file *f)
{
    return self(f)->real()->pMethods->xSectorSize(self(f)->real());
}

int xDeviceCharacteristics(sqlite3_file *f)
{
    return self(f)->real()->pMethods->xDeviceCharacteristics(self(f)->real());
}

int xShmMap(sqlite3_file *f, int region, int size, int extend, void volatile **out)
{
    return self(f)->real()->pMethods->xShmMap(self(f)->real(), region, size, extend, out);
}

int xShmLock(sqlite3_file *f, int offset, int n, int flags)
{
    return self(f)->real()->pMethods->xShmLock(self(f)->real(), offset, n, flags);
}

void xShmBarrier(sqlite3_file *f)
{
    self(f)->real()->pMethods->xShmBarrier(self(f)->real());
}

int xShmUnmap(sqlite3_file *f, int deleteFlag)
{
    return self(f)->real()->pMethods->xShmUnmap(self(f)->real(), deleteFlag);
}

int xFetch(sqlite3_file *f, sqlite3_int64 offset, int amount, void **out)
{
    return self(f)->real()->pMethods->xFetch(self(f)->real(), offset, amount, out);
}

int xUnfetch(sqlite3_file *f, sqlite3_int64 offset, void *p)
{
    return self(f)->real()->pMethods->xUnfetch(self(f)->real(), offset, p);
}

const sqlite3_io_methods methods = {
    3,         xClose,      xRead,     xWrite,       xTruncate,  xSync,
    xFileSize, xLock,       xUnlock,   xCheckReservedLock,        xFileControl,
    xSectorSize, xDeviceCharacteristics, xShmMap, xShmLock, xShmBarrier, xShmUnmap,
    xFetch,    xUnfetch,
};

int xOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    File *file = self(f);
    file->path = name;
    file->header.pMethods = nullptr;
    if (isSuperJournal(name))
        watch.superJournal = true;
    const int rc = base->xOpen(base, name, file->real(), flags, outFlags);
    if (rc != SQLITE_OK) {
        // Creating a journal on a full or read-only folder fails here.
        if (name && (flags & SQLITE_OPEN_CREATE))
            lastFailure = QFile::decodeName(name);
        return rc;
    }
    file->header.pMethods = file->real()->pMethods ? &methods : nullptr;
    return rc;
}

// Deleting the super-journal is the instant a transaction over several files commits.
int xDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    const int rc = guarded(Op::Delete, name, [&] { return base->xDelete(base, name, syncDir); });
    if (rc == SQLITE_OK && isSuperJournal(name))
        watch.superDeleted = true;
    return rc;
}

int xAccess(sqlite3_vfs *, const char *name, int flags, int *out)
{
    return base->xAccess(base, name, flags, out);
}

int xFullPathname(sqlite3_vfs *, const char *name, int n, char *out)
{
    return base->xFullPathname(base, name, n, out);
}

void *xDlOpen(sqlite3_vfs *, const char *name)
{
    return base->xDlOpen(base, name);
}

void xDlError(sqlite3_vfs *, int n, char *out)
{
    base->xDlError(base, n, out);
}

void (*xDlSym(sqlite3_vfs *, void *h, const char *sym))(void)
{
    return base->xDlSym(base, h, sym);
}

void xDlClose(sqlite3_vfs *, void *h)
{
    base->xDlClose(base, h);
}

int xRandomness(sqlite3_vfs *, int n, char *out)
{
    return base->xRandomness(base, n, out);
}

int xSleep(sqlite3_vfs *, int us)
{
    return base->xSleep(base, us);
}

int xCurrentTime(sqlite3_vfs *, double *out)
{
    return base->xCurrentTime(base, out);
}

int xGetLastError(sqlite3_vfs *, int n, char *out)
{
    return base->xGetLastError ? base->xGetLastError(base, n, out) : 0;
}

int xCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *out)
{
    return base->xCurrentTimeInt64(base, out);
}

sqlite3_vfs layer;

} // namespace

const char *name()
{
    static std::once_flag once;
    std::call_once(once, [] {
        base = sqlite3_vfs_find(nullptr);
        layer = sqlite3_vfs{};
        layer.iVersion = 2;
        layer.szOsFile = int(sizeof(File)) + base->szOsFile;
        layer.mxPathname = base->mxPathname;
        layer.zName = "melvora";
        layer.xOpen = xOpen;
        layer.xDelete = xDelete;
        layer.xAccess = xAccess;
        layer.xFullPathname = xFullPathname;
        layer.xDlOpen = xDlOpen;
        layer.xDlError = xDlError;
        layer.xDlSym = xDlSym;
        layer.xDlClose = xDlClose;
        layer.xRandomness = xRandomness;
        layer.xSleep = xSleep;
        layer.xCurrentTime = xCurrentTime;
        layer.xGetLastError = xGetLastError;
        layer.xCurrentTimeInt64 = xCurrentTimeInt64;
        sqlite3_vfs_register(&layer, 0);
    });
    return layer.zName;
}

void setFaultHook(FaultHook h)
{
    hook = std::move(h);
}

QString lastFailedFile()
{
    return lastFailure;
}

void clearLastFailure()
{
    lastFailure.clear();
}

void beginCommit()
{
    watch = CommitWatch{};
}

bool commitPointPassed()
{
    return watch.superJournal ? watch.superDeleted : watch.journalEnded;
}

} // namespace tables::vfs
