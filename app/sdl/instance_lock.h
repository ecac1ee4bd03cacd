// The single-instance lock: a lock file held with flock in the user's
// runtime directory. The kernel drops the lock when the process ends, so a
// crashed game never blocks the next start.
#pragma once

enum InstanceLockResult {
  kInstanceLockHeld,         // this process is the one running instance
  kInstanceLockBusy,         // another instance holds it
  kInstanceLockUnavailable,  // no lock file could be opened anywhere: run unguarded
  kInstanceLockForeign,      // the file there is not a regular file of this user's: run unguarded
};

// The lock file's path for a name: $XDG_RUNTIME_DIR/NAME.lock, or
// /tmp/NAME-UID.lock without a runtime directory. 0 when it does not fit.
int instanceLockPath(const char* name, char* path, int size);

// Where the lock goes when the runtime directory takes no file:
// /tmp/NAME-UID.lock.
int instanceLockFallbackPath(const char* name, char* path, int size);

// Takes the lock in its path, or in the fallback path when no file can be
// made there. Anything but a regular file owned by this user is never locked:
// another user could hold it, or lock it after we have let go, and keep
// every start of ours from running.
int acquireInstanceLock(const char* name);

// For the messages: the lock file the last acquireInstanceLock met ("" when
// no path fitted), and the errno of its failure (0 when it did not fail to
// open or lock it).
const char* instanceLockFile();
int instanceLockError();

// Lets go of the lock (a no-op when it is not held).
void releaseInstanceLock();
