/*
 * Preloaded into the tests of a ThreadSanitizer build (`make test-tsan`).
 *
 * QProcess starts programs with clone(CLONE_VM | CLONE_VFORK): the child
 * runs in the parent's memory until it calls exec. The sanitizer's clone
 * hook then runs its after-fork bookkeeping in the child on the parent's own
 * state, and from then on the parent's threads lose the order their locks
 * gave them: every test that has started a program (unzip, the FTP server)
 * reports races on data that is always read and written under a mutex.
 * Made an ordinary fork-style clone, the child works on a copy and the
 * parent's state stays whole; QProcess behaves the same either way.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <sched.h>
#include <stdarg.h>
#include <sys/types.h>

typedef int (*CloneFunction)(int (*)(void *), void *, int, void *, ...);

int clone(int (*fn)(void *), void *stack, int flags, void *arg, ...)
{
    va_list rest;
    va_start(rest, arg);
    pid_t *parentTid = va_arg(rest, pid_t *);
    void *tls = va_arg(rest, void *);
    pid_t *childTid = va_arg(rest, pid_t *);
    va_end(rest);

    CloneFunction next = (CloneFunction)dlsym(RTLD_NEXT, "clone");
    if (!next) {
        errno = ENOSYS;
        return -1;
    }
    const int sharedChild = CLONE_VM | CLONE_VFORK;
    if ((flags & sharedChild) == sharedChild)
        flags &= ~sharedChild;
    return next(fn, stack, flags, arg, parentTid, tls, childTid);
}
