/*
 * The merge program of a self-merging file (see kos.h). Run from anywhere,
 * it rebuilds the original file in its own folder from the part 0 it
 * carries and the parts <base>1.kos ... beside it: the file is written under
 * a temporary name, its size and the checksum of the parts it is made from
 * are checked, and only then is it given its name. An existing file of that name is never replaced unless
 * -f is given.
 */
#define _GNU_SOURCE
#include "kos.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
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

/*
 * The rebuilt file is made in one pass over the parts: this thread reads
 * them into a ring of buffers and sums them while a second thread writes the
 * buffers out, so checking the parts costs little beyond copying them.
 */
#define SLOTS 4u
#define SLOT_SIZE (1u << 20)

struct slot {
    unsigned char *data;
    size_t n;
    uint64_t at; /* where it goes in the rebuilt file */
};

struct ring {
    pthread_t writer;
    int threaded;
    pthread_mutex_t lock;
    pthread_cond_t changed;
    struct slot slots[SLOTS];
    unsigned filled;  /* slots handed to the writer */
    unsigned emptied; /* slots written */
    int done;         /* no more slots will come */
    int error;        /* the first write that failed */
    int out;
    struct kos_sum sum;
};

static int write_all(int out, const unsigned char *p, size_t n, uint64_t at)
{
    while (n > 0) {
        const ssize_t put = pwrite(out, p, n, (off_t)at);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += put;
        n -= (size_t)put;
        at += (uint64_t)put;
    }
    return 0;
}

static void *writer_main(void *arg)
{
    struct ring *r = (struct ring *)arg;
    pthread_mutex_lock(&r->lock);
    for (;;) {
        while (r->emptied == r->filled && !r->done)
            pthread_cond_wait(&r->changed, &r->lock);
        if (r->emptied == r->filled)
            break;
        const struct slot *slot = &r->slots[r->emptied % SLOTS];
        const int failed = r->error;
        pthread_mutex_unlock(&r->lock);
        const int error = failed ? 0 : write_all(r->out, slot->data, slot->n, slot->at);
        pthread_mutex_lock(&r->lock);
        if (error)
            r->error = error;
        ++r->emptied;
        pthread_cond_broadcast(&r->changed);
    }
    pthread_mutex_unlock(&r->lock);
    return NULL;
}

static int ring_start(struct ring *r, int out)
{
    memset(r, 0, sizeof *r);
    r->out = out;
    kos_sum_init(&r->sum);
    for (unsigned i = 0; i < SLOTS; ++i) {
        r->slots[i].data = (unsigned char *)malloc(SLOT_SIZE);
        if (!r->slots[i].data)
            return ENOMEM;
    }
    pthread_mutex_init(&r->lock, NULL);
    pthread_cond_init(&r->changed, NULL);
    r->threaded = pthread_create(&r->writer, NULL, writer_main, r) == 0;
    return 0;
}

/* A slot to fill, once the writer has one free; NULL after a failed write. */
static struct slot *ring_slot(struct ring *r)
{
    if (!r->threaded)
        return &r->slots[0];
    pthread_mutex_lock(&r->lock);
    while (r->filled - r->emptied == SLOTS && !r->error)
        pthread_cond_wait(&r->changed, &r->lock);
    struct slot *slot = r->error ? NULL : &r->slots[r->filled % SLOTS];
    pthread_mutex_unlock(&r->lock);
    return slot;
}

static int ring_submit(struct ring *r, struct slot *slot)
{
    if (!r->threaded)
        return write_all(r->out, slot->data, slot->n, slot->at);
    pthread_mutex_lock(&r->lock);
    ++r->filled;
    pthread_cond_broadcast(&r->changed);
    pthread_mutex_unlock(&r->lock);
    return 0;
}

/* Waits for the writer to write everything; 0 or the errno of a failed write. */
static int ring_finish(struct ring *r)
{
    if (r->threaded) {
        pthread_mutex_lock(&r->lock);
        r->done = 1;
        pthread_cond_broadcast(&r->changed);
        pthread_mutex_unlock(&r->lock);
        pthread_join(r->writer, NULL);
    }
    return r->error;
}

static int read_exact_into(int fd, unsigned char *p, size_t n, uint64_t at)
{
    while (n > 0) {
        const ssize_t got = pread(fd, p, n, (off_t)at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return EIO;
        p += got;
        n -= (size_t)got;
        at += (uint64_t)got;
    }
    return 0;
}

/* Reads `length` bytes of `in` from `in_off`, sums them and hands them to the
 * writer for `out_off` on. Holes are summed as zeros and not written. */
static int copy_summed(struct ring *r, int in, uint64_t in_off, uint64_t out_off, uint64_t length)
{
    const uint64_t end = in_off + length;
    for (uint64_t at = in_off; at < end;) {
        uint64_t from = at, to = end;
        const int found = kos_next_data(in, &from, &to, end);
        if (found < 0)
            return -found;
        if (found == 1)
            from = to = end;
        kos_sum_zeros(&r->sum, from - at);
        while (from < to) {
            struct slot *slot = ring_slot(r);
            if (!slot)
                return r->error;
            slot->n = to - from < SLOT_SIZE ? (size_t)(to - from) : SLOT_SIZE;
            slot->at = out_off + (from - in_off);
            int error = read_exact_into(in, slot->data, slot->n, from);
            if (error)
                return error;
            kos_sum_bytes(&r->sum, slot->data, slot->n);
            error = ring_submit(r, slot);
            if (error)
                return error;
            from += slot->n;
        }
        at = to;
    }
    return 0;
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

    struct ring ring;
    int error = ring_start(&ring, out);
    if (!error)
        error = copy_summed(&ring, self, payload, 0, r.first_size);
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
            error = copy_summed(&ring, in, 0, at, length);
        close(in);
        at += length;
    }
    if (error)
        return fail("cannot copy the part", part, error);
    error = ring_finish(&ring);
    if (error)
        return fail("cannot write", name, error);
    /* Holes at the end are not written: give the file its length. */
    if (fstat(out, &st) == 0 && (uint64_t)st.st_size < r.total_size && ftruncate(out, (off_t)r.total_size) != 0)
        return fail("cannot write", name, errno);
    if (fstat(out, &st) != 0 || (uint64_t)st.st_size != r.total_size)
        return fail("the rebuilt file has the wrong size:", name, 0);
    if (kos_sum_final(&ring.sum) != r.checksum)
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
