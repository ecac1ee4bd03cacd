// The single-instance lock: a lock file held with flock in the user's
// runtime directory. The kernel drops the lock when the process ends, so a
// crashed game never blocks the next start.
#pragma once

enum InstanceLockResult {
  kInstanceLockHeld,         // this process is the one running instance
  kInstanceLockBusy,         // another instance holds it
  kInstanceLockUnavailable,  // no lock file could be opened anywhere: run unguarded
};

// The lock file's path for a name: $XDG_RUNTIME_DIR/NAME.lock, or
// /tmp/NAME-UID.lock without a runtime directory. 0 when it does not fit.
int instanceLockPath(const char* name, char* path, int size);

// Where the lock goes when the runtime directory takes no file:
// /tmp/NAME-UID.lock.
int instanceLockFallbackPath(const char* name, char* path, int size);

// Takes the lock in its path, or in the fallback path when no file can be
// made there.
int acquireInstanceLock(const char* name);

// Lets go of the lock (a no-op when it is not held).
void releaseInstanceLock();
