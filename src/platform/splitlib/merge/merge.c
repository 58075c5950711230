/*
 * The merge program of a self-merging file (see kos.h). Run from anywhere,
 * it rebuilds the original file in its own folder from the part 0 it
 * carries and the parts <base>1.kos ... beside it: the file is written under
 * a temporary name, its size and checksum are checked, and only then is it
 * given its name. An existing file of that name is never replaced unless
 * -f is given.
 */
#define _GNU_SOURCE
#include "kos.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE 1
#endif

enum { NAME_MAX_BYTES = 255, PART_NAME_BYTES = NAME_MAX_BYTES + 32 };

static int g_dir = -1;
static char g_temp[64];

static void remove_temp(void)
{
    if (g_temp[0])
        unlinkat(g_dir, g_temp, 0);
    g_temp[0] = 0;
}

static void on_signal(int sig)
{
    if (g_temp[0])
        unlinkat(g_dir, g_temp, 0);
    signal(sig, SIG_DFL);
    raise(sig);
}

static int fail(const char *what, const char *name, int error)
{
    remove_temp();
    if (error)
        fprintf(stderr, "merge: %s %s: %s\n", what, name, strerror(error));
    else
        fprintf(stderr, "merge: %s %s\n", what, name);
    return 1;
}

static int usage(const char *self)
{
    fprintf(stderr,
            "usage: %s [-f]\n"
            "Rebuilds the file that was split, from the parts beside this program.\n"
            "  -f  replace a file of that name if there is one\n",
            self);
    return 2;
}

/* Moves the finished file into place; never replaces one unless asked. */
static int place(const char *from, const char *to, int replace)
{
    if (replace)
        return renameat(g_dir, from, g_dir, to) == 0 ? 0 : errno;
    if (syscall(SYS_renameat2, g_dir, from, g_dir, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    /* No such rename here: a hard link never replaces either. */
    if (linkat(g_dir, from, g_dir, to, 0) != 0)
        return errno;
    unlinkat(g_dir, from, 0);
    return 0;
}

/* The program's own file and its folder. */
static int open_self(char *folder, size_t size)
{
    const ssize_t n = readlink("/proc/self/exe", folder, size - 1);
    if (n <= 0)
        return -1;
    folder[n] = 0;
    char *slash = strrchr(folder, '/');
    if (!slash)
        return -1;
    slash[slash == folder ? 1 : 0] = 0;
    return open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
}

static int read_exact(int fd, void *buffer, size_t n, off_t at)
{
    size_t done = 0;
    while (done < n) {
        const ssize_t got = pread(fd, (char *)buffer + done, n - done, at + (off_t)done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return -1;
        done += (size_t)got;
    }
    return 0;
}

static int create_temp(void)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        snprintf(g_temp, sizeof g_temp, ".kos-merge-%ld-%d", (long)getpid(), attempt);
        const int fd = openat(g_dir, g_temp, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

int main(int argc, char **argv)
{
    int replace = 0;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "-f") == 0)
            replace = 1;
        else
            return usage(argv[0]);
    }

    char folder[PATH_MAX];
    const int self = open_self(folder, sizeof folder);
    if (self < 0)
        return fail("cannot read", "its own program file", errno);
    g_dir = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (g_dir < 0)
        return fail("cannot open the folder", folder, errno);

    unsigned char raw[KOS_RECORD_SIZE];
    struct kos_record r;
    struct stat st;
    if (read_exact(self, raw, sizeof raw, KOS_PROGRAM_RESERVE) != 0 || kos_record_decode(raw, &r) != 0
        || r.base_len == 0 || r.base_len > NAME_MAX_BYTES || r.ext_len > NAME_MAX_BYTES || fstat(self, &st) != 0)
        return fail("carries no parts:", "this is not a self-merging file", 0);
    const uint64_t payload = KOS_PROGRAM_RESERVE + KOS_RECORD_SIZE + r.base_len + r.ext_len;
    if ((uint64_t)st.st_size != payload + r.first_size)
        return fail("is damaged:", "its size is not the size it records", 0);

    char base[NAME_MAX_BYTES + 1], name[2 * NAME_MAX_BYTES + 2], part[PART_NAME_BYTES];
    if (read_exact(self, base, r.base_len, KOS_PROGRAM_RESERVE + KOS_RECORD_SIZE) != 0)
        return fail("cannot read", "its own program file", errno);
    base[r.base_len] = 0;
    memcpy(name, base, r.base_len + 1);
    if (r.flags & KOS_FLAG_DOT) {
        name[r.base_len] = '.';
        if (read_exact(self, name + r.base_len + 1, r.ext_len, (off_t)(payload - r.ext_len)) != 0)
            return fail("cannot read", "its own program file", errno);
        name[r.base_len + 1 + r.ext_len] = 0;
    }
    if (strlen(name) != r.base_len + ((r.flags & KOS_FLAG_DOT) ? 1 + r.ext_len : 0) || strchr(name, '/'))
        return fail("is damaged:", "the file name it carries is not a name", 0);

    if (!replace && fstatat(g_dir, name, &st, AT_SYMLINK_NOFOLLOW) == 0)
        return fail(name, "exists already; run with -f to replace it", 0);

    /* Every part must be there with its size before anything is written. */
    for (uint32_t k = 1; k < r.part_count; ++k) {
        snprintf(part, sizeof part, "%s%u.kos", base, k);
        if (fstatat(g_dir, part, &st, 0) != 0)
            return fail("cannot find the part", part, errno);
        if (!S_ISREG(st.st_mode) || (int64_t)st.st_size != kos_part_length(&r, k))
            return fail("has the wrong size: the part", part, 0);
    }

    signal(SIGINT, on_signal);
    signal(SIGTERM, on_signal);
    signal(SIGHUP, on_signal);
    const int out = create_temp();
    if (out < 0)
        return fail("cannot write in", folder, errno);

    int error = kos_copy(self, payload, out, 0, r.first_size);
    if (error)
        return fail("cannot copy the part it carries into", name, error);
    uint64_t at = r.first_size;
    for (uint32_t k = 1; k < r.part_count && !error; ++k) {
        const uint64_t length = (uint64_t)kos_part_length(&r, k);
        snprintf(part, sizeof part, "%s%u.kos", base, k);
        const int in = openat(g_dir, part, O_RDONLY | O_CLOEXEC);
        if (in < 0)
            return fail("cannot open the part", part, errno);
        if (fstat(in, &st) != 0 || (uint64_t)st.st_size != length)
            error = EIO;
        else
            error = kos_copy(in, 0, out, at, length);
        close(in);
        at += length;
    }
    if (error)
        return fail("cannot copy the part", part, error);

    struct kos_sum sum;
    kos_sum_init(&sum);
    if (fstat(out, &st) != 0 || (uint64_t)st.st_size != r.total_size)
        return fail("the rebuilt file has the wrong size:", name, 0);
    error = kos_sum_file(&sum, out, 0, r.total_size);
    if (error)
        return fail("cannot read back", name, error);
    if (kos_sum_final(&sum) != r.checksum)
        return fail("the parts do not add up to the original (checksum differs):", name, 0);
    if (close(out) != 0)
        return fail("cannot write", name, errno);

    error = place(g_temp, name, replace);
    if (error)
        return fail("cannot give the rebuilt file its name", name, error);
    g_temp[0] = 0;
    printf("Rebuilt %s (%llu bytes) from %u parts\n", name, (unsigned long long)r.total_size, r.part_count);
    return 0;
}
