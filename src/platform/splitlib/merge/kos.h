/*
 * What the splitter and the merge program share: the record that follows the
 * merge program in a self-merging file, the checksum of a whole file, and the
 * copy and read of a file range that keeps holes as holes.
 *
 * A self-merging file is: the merge program, zero-padded to
 * KOS_PROGRAM_RESERVE bytes; the record (KOS_RECORD_SIZE bytes); the base
 * name; the extension; part 0. Parts 1..n-1 lie beside it as <base><k>.kos.
 */
#ifndef ARDL_KOS_H
#define ARDL_KOS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KOS_PROGRAM_RESERVE 45056u
#define KOS_RECORD_SIZE 50u
/* The original name had an extension dot ("a." has one with an empty extension). */
#define KOS_FLAG_DOT 1u

struct kos_record {
    uint32_t flags;
    uint32_t base_len;   /* bytes of the base name */
    uint32_t ext_len;    /* bytes of the extension */
    uint32_t part_count; /* part 0 included */
    uint64_t first_size; /* bytes of part 0 */
    uint64_t part_size;  /* bytes of each of parts 1..n-1; the last may be shorter */
    uint64_t total_size; /* bytes of the original file */
    uint64_t checksum;   /* kos_sum of the original file */
};

/* Little-endian, with a check of its own over the first 48 bytes. */
void kos_record_encode(const struct kos_record *r, unsigned char out[KOS_RECORD_SIZE]);
/* 0 when the bytes hold a sound record, -1 otherwise. */
int kos_record_decode(const unsigned char in[KOS_RECORD_SIZE], struct kos_record *r);
/* The length part `k` must have (0 <= k < part_count), or -1 when the
 * record's sizes do not describe total_size in part_count parts. */
int64_t kos_part_length(const struct kos_record *r, uint32_t k);

/*
 * A checksum of a byte stream in which each non-zero 8-byte word is mixed
 * with its position and the results are added up: a run of zero bytes adds
 * nothing, so holes of a sparse file are passed over without reading them,
 * and parts can be summed one after the other at any byte boundary.
 */
struct kos_sum {
    uint64_t acc;
    uint64_t pos;     /* bytes summed so far */
    uint64_t pending; /* bytes of the word under way, little-endian */
};

void kos_sum_init(struct kos_sum *s);
void kos_sum_bytes(struct kos_sum *s, const void *data, size_t n);
void kos_sum_zeros(struct kos_sum *s, uint64_t n);
uint64_t kos_sum_final(const struct kos_sum *s);

/* Sums `length` bytes of `fd` from `offset`, reading only where the file
 * holds data. Returns 0 or an errno value (EIO when the file is shorter). */
int kos_sum_file(struct kos_sum *s, int fd, uint64_t offset, uint64_t length);

/* The next stretch of data of `fd` in [*from, end): sets *from and *to, or
 * returns 1 when the rest is a hole. File systems that cannot tell holes
 * give the whole range as data. Returns 0, 1 or -errno. */
int kos_next_data(int fd, uint64_t *from, uint64_t *to, uint64_t end);

/*
 * Copies `length` bytes of `in` from `in_off` into the new file `out` at
 * `out_off` in the kernel (copy_file_range), falling back to read and write
 * where the file systems do not allow it. Holes of `in` are not written, so
 * they stay holes; `out` is extended to out_off + length in any case.
 * `out` must hold nothing in that range yet. Returns 0 or an errno value
 * (EIO when `in` ends early).
 */
int kos_copy(int in, uint64_t in_off, int out, uint64_t out_off, uint64_t length);

#ifdef __cplusplus
}
#endif

#endif
