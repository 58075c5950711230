/* The record, the checksum and the hole-keeping copy of kos.h. */
#define _GNU_SOURCE
#include "kos.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#define KOS_MAGIC "KOS1"
#define BUFFER_SIZE (1u << 20)
#define COPY_CHUNK (1u << 30)

/* ---- record ------------------------------------------------------------ */

static void put16(unsigned char *p, uint32_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
}

static void put32(unsigned char *p, uint32_t v)
{
    put16(p, v);
    put16(p + 2, v >> 16);
}

static void put64(unsigned char *p, uint64_t v)
{
    put32(p, (uint32_t)v);
    put32(p + 4, (uint32_t)(v >> 32));
}

static uint32_t get16(const unsigned char *p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8;
}

static uint32_t get32(const unsigned char *p)
{
    return get16(p) | get16(p + 2) << 16;
}

static uint64_t get64(const unsigned char *p)
{
    return (uint64_t)get32(p) | (uint64_t)get32(p + 4) << 32;
}

/* Fletcher-16 over the record's fields. */
static uint32_t record_check(const unsigned char *p, size_t n)
{
    uint32_t a = 0, b = 0;
    for (size_t i = 0; i < n; ++i) {
        a = (a + p[i]) % 255;
        b = (b + a) % 255;
    }
    return b << 8 | a;
}

/* Layout: magic 0-3, flags 4-5, base_len 6-7, ext_len 8-9, part_count
 * 10-13, first_size 14-21, part_size 22-29, total_size 30-37, checksum
 * 38-45, zero 46-47, check 48-49. */
void kos_record_encode(const struct kos_record *r, unsigned char out[KOS_RECORD_SIZE])
{
    memset(out, 0, KOS_RECORD_SIZE);
    memcpy(out, KOS_MAGIC, 4);
    put16(out + 4, r->flags);
    put16(out + 6, r->base_len);
    put16(out + 8, r->ext_len);
    put32(out + 10, r->part_count);
    put64(out + 14, r->first_size);
    put64(out + 22, r->part_size);
    put64(out + 30, r->total_size);
    put64(out + 38, r->checksum);
    put16(out + 48, record_check(out, 48));
}

int kos_record_decode(const unsigned char in[KOS_RECORD_SIZE], struct kos_record *r)
{
    if (memcmp(in, KOS_MAGIC, 4) != 0 || get16(in + 48) != record_check(in, 48))
        return -1;
    r->flags = get16(in + 4);
    r->base_len = get16(in + 6);
    r->ext_len = get16(in + 8);
    r->part_count = get32(in + 10);
    r->first_size = get64(in + 14);
    r->part_size = get64(in + 22);
    r->total_size = get64(in + 30);
    r->checksum = get64(in + 38);
    return kos_part_length(r, 0) < 0 ? -1 : 0;
}

int64_t kos_part_length(const struct kos_record *r, uint32_t k)
{
    const uint64_t n = r->part_count;
    if (n == 0 || k >= n || r->first_size > r->total_size || r->total_size > INT64_MAX)
        return -1;
    if (n == 1)
        return r->first_size == r->total_size ? (int64_t)r->total_size : -1;
    /* Parts 1..n-2 are full, the last holds the rest: 1 to part_size bytes. */
    const uint64_t rest = r->total_size - r->first_size;
    if (r->part_size == 0 || (n - 2) > rest / r->part_size)
        return -1;
    const uint64_t last = rest - (n - 2) * r->part_size;
    if (last == 0 || last > r->part_size)
        return -1;
    if (k == 0)
        return (int64_t)r->first_size;
    return (int64_t)(k == n - 1 ? last : r->part_size);
}

/* ---- checksum ---------------------------------------------------------- */

#define K1 0x9E3779B97F4A7C15ull
#define K2 0xC2B2AE3D27D4EB4Full
#define K3 0x165667B19E3779F9ull

/* Inlined even where the merge program is built for size: this is its hot loop. */
#define HOT static inline __attribute__((always_inline))

HOT uint64_t fmix(uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
    return h;
}

/* The share of word `w`, `position` being index * K2 + K3; nothing for 0.
 * One multiplication a word keeps the sum about as fast as reading. */
HOT uint64_t term(uint64_t w, uint64_t position)
{
    const uint64_t h = (w ^ position) * K1;
    return (h ^ (h >> 32)) & (0 - (uint64_t)(w != 0));
}

HOT uint64_t load_le64(const unsigned char *p)
{
    uint64_t w;
    memcpy(&w, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    w = __builtin_bswap64(w);
#endif
    return w;
}

void kos_sum_init(struct kos_sum *s)
{
    s->acc = 0;
    s->pos = 0;
    s->pending = 0;
}

/* The word under way is complete: add it. */
static void close_word(struct kos_sum *s)
{
    s->acc += term(s->pending, ((s->pos >> 3) - 1) * K2 + K3);
    s->pending = 0;
}

void kos_sum_bytes(struct kos_sum *s, const void *data, size_t n)
{
    const unsigned char *p = (const unsigned char *)data;
    while (n > 0 && (s->pos & 7) != 0) {
        s->pending |= (uint64_t)*p++ << (8 * (s->pos & 7));
        ++s->pos;
        --n;
        if ((s->pos & 7) == 0)
            close_word(s);
    }
    uint64_t position = (s->pos >> 3) * K2 + K3;
    uint64_t acc = s->acc, acc2 = 0;
    const size_t words = n / 8;
    size_t i = 0;
    for (; i + 2 <= words; i += 2) {
        acc += term(load_le64(p), position);
        acc2 += term(load_le64(p + 8), position + K2);
        position += 2 * K2;
        p += 16;
    }
    if (i < words) {
        acc += term(load_le64(p), position);
        p += 8;
    }
    s->acc = acc + acc2;
    s->pos += (uint64_t)words * 8;
    n -= words * 8;
    for (size_t i = 0; i < n; ++i)
        s->pending |= (uint64_t)p[i] << (8 * i);
    s->pos += n;
}

void kos_sum_zeros(struct kos_sum *s, uint64_t n)
{
    if ((s->pos & 7) != 0) {
        const uint64_t fill = 8 - (s->pos & 7);
        if (n < fill) {
            s->pos += n;
            return;
        }
        s->pos += fill;
        n -= fill;
        close_word(s);
    }
    s->pos += n;
}

uint64_t kos_sum_final(const struct kos_sum *s)
{
    uint64_t acc = s->acc;
    if ((s->pos & 7) != 0)
        acc += term(s->pending, (s->pos >> 3) * K2 + K3);
    return fmix(acc ^ (s->pos * K1 + K3));
}

/* ---- data regions ------------------------------------------------------ */

int kos_next_data(int fd, uint64_t *from, uint64_t *to, uint64_t end)
{
    const off_t data = lseek(fd, (off_t)*from, SEEK_DATA);
    if (data < 0) {
        if (errno == ENXIO)
            return 1;
        if (errno != EINVAL && errno != EOPNOTSUPP)
            return -errno;
        *to = end;
        return 0;
    }
    const off_t hole = lseek(fd, data, SEEK_HOLE);
    if (hole < 0)
        return -errno;
    *from = (uint64_t)data < end ? (uint64_t)data : end;
    *to = (uint64_t)hole < end ? (uint64_t)hole : end;
    return 0;
}

static int long_enough(int fd, uint64_t end)
{
    struct stat st;
    if (fstat(fd, &st) != 0)
        return errno;
    return (uint64_t)st.st_size < end ? EIO : 0;
}

static int sum_read(struct kos_sum *s, int fd, uint64_t from, uint64_t to, unsigned char *buffer)
{
    while (from < to) {
        const size_t want = to - from < BUFFER_SIZE ? (size_t)(to - from) : BUFFER_SIZE;
        const ssize_t got = pread(fd, buffer, want, (off_t)from);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            return EIO;
        kos_sum_bytes(s, buffer, (size_t)got);
        from += (uint64_t)got;
    }
    return 0;
}

int kos_sum_file(struct kos_sum *s, int fd, uint64_t offset, uint64_t length)
{
    const uint64_t end = offset + length;
    int error = long_enough(fd, end);
    if (error)
        return error;
    unsigned char *buffer = (unsigned char *)malloc(BUFFER_SIZE);
    if (!buffer)
        return ENOMEM;
    uint64_t at = offset;
    while (at < end && !error) {
        uint64_t from = at, to = end;
        const int found = kos_next_data(fd, &from, &to, end);
        if (found < 0) {
            error = -found;
            break;
        }
        if (found == 1)
            from = to = end;
        kos_sum_zeros(s, from - at);
        error = sum_read(s, fd, from, to, buffer);
        at = to;
    }
    free(buffer);
    return error;
}

/* ---- copy -------------------------------------------------------------- */

static int copy_by_reading(int in, uint64_t from, uint64_t to, int out, uint64_t out_at)
{
    unsigned char *buffer = (unsigned char *)malloc(BUFFER_SIZE);
    if (!buffer)
        return ENOMEM;
    int error = 0;
    while (from < to && !error) {
        const size_t want = to - from < BUFFER_SIZE ? (size_t)(to - from) : BUFFER_SIZE;
        const ssize_t got = pread(in, buffer, want, (off_t)from);
        if (got < 0) {
            if (errno != EINTR)
                error = errno;
            continue;
        }
        if (got == 0) {
            error = EIO;
            break;
        }
        for (ssize_t done = 0; done < got && !error;) {
            const ssize_t put = pwrite(out, buffer + done, (size_t)(got - done), (off_t)(out_at + (uint64_t)done));
            if (put < 0 && errno != EINTR)
                error = errno;
            else if (put > 0)
                done += put;
        }
        from += (uint64_t)got;
        out_at += (uint64_t)got;
    }
    free(buffer);
    return error;
}

/* Whether copy_file_range refuses this pair of files as such (another file
 * system, an old kernel), so that reading and writing should do instead. */
static int kernel_copy_unsupported(int error)
{
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EBADF;
}

static int copy_region(int in, uint64_t from, uint64_t to, int out, uint64_t out_at)
{
    while (from < to) {
        loff_t in_pos = (loff_t)from, out_pos = (loff_t)out_at;
        const size_t want = to - from < COPY_CHUNK ? (size_t)(to - from) : COPY_CHUNK;
        const ssize_t done = copy_file_range(in, &in_pos, out, &out_pos, want, 0);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            if (kernel_copy_unsupported(errno))
                return copy_by_reading(in, from, to, out, out_at);
            return errno;
        }
        if (done == 0)
            return EIO;
        from += (uint64_t)done;
        out_at += (uint64_t)done;
    }
    return 0;
}

int kos_copy(int in, uint64_t in_off, int out, uint64_t out_off, uint64_t length)
{
    const uint64_t end = in_off + length;
    int error = long_enough(in, end);
    uint64_t at = in_off;
    while (at < end && !error) {
        uint64_t from = at, to = end;
        const int found = kos_next_data(in, &from, &to, end);
        if (found < 0)
            return -found;
        if (found == 1)
            break;
        error = copy_region(in, from, to, out, out_off + (from - in_off));
        at = to;
    }
    if (error)
        return error;
    /* A hole at the end leaves the file short: give it its length. */
    struct stat st;
    if (fstat(out, &st) != 0)
        return errno;
    if ((uint64_t)st.st_size < out_off + length && ftruncate(out, (off_t)(out_off + length)) != 0)
        return errno;
    return 0;
}
