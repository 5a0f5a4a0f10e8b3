// Reading a data file whole, and Allegro's file interface over bytes in memory.
#include "data/file.h"

#include "data/bytes.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

int bytes_getc(void *u)
{
    auto *r = static_cast<ByteReader *>(u);
    return r->pos < r->bytes->size() ? (*r->bytes)[r->pos++] : EOF;
}

int bytes_ungetc(int c, void *u)
{
    auto *r = static_cast<ByteReader *>(u);
    if (r->pos == 0)
        return EOF;
    r->pos--;
    return c;
}

long bytes_fread(void *p, long n, void *u)
{
    auto *r = static_cast<ByteReader *>(u);
    size_t left = r->bytes->size() - r->pos;
    size_t k = n < 0 ? 0 : static_cast<size_t>(n) < left ? static_cast<size_t>(n) : left;
    memcpy(p, r->bytes->data() + r->pos, k);
    r->pos += k;
    return static_cast<long>(k);
}

int bytes_fseek(void *u, int offset)
{
    auto *r = static_cast<ByteReader *>(u);
    if (offset < 0 || static_cast<size_t>(offset) > r->bytes->size() - r->pos)
        return -1;
    r->pos += static_cast<size_t>(offset);
    return 0;
}

int bytes_feof(void *u)
{
    auto *r = static_cast<ByteReader *>(u);
    return r->pos >= r->bytes->size();
}

int bytes_nothing(void *) { return 0; }
int bytes_putc(int, void *) { return EOF; }
long bytes_fwrite(const void *, long, void *) { return 0; }

PACKFILE_VTABLE bytes_vtable = {
    bytes_nothing, bytes_getc, bytes_ungetc, bytes_fread,
    bytes_putc, bytes_fwrite, bytes_fseek, bytes_feof, bytes_nothing,
};

} // namespace

PACKFILE *open_bytes(ByteReader &reader)
{
    reader.pos = 0;
    return pack_fopen_vtable(&bytes_vtable, &reader);
}

std::vector<unsigned char> &read_buffer()
{
    static std::vector<unsigned char> buffer;
    return buffer;
}

const char *read_data_file(const char *path, std::vector<unsigned char> &out)
{
    out.clear();
    struct stat st;
    if (stat(path, &st) != 0)
        return "missing";
    if (!S_ISREG(st.st_mode))
        return "not a regular file";
    if (st.st_size == 0)
        return "empty";
    if (st.st_size > max_file_size)
        return "too large";
    FILE *fp = fopen(path, "rb");
    if (!fp)
        return "cannot be opened";
    out.resize(static_cast<size_t>(st.st_size));
    size_t got = fread(out.data(), 1, out.size(), fp);
    fclose(fp);
    if (got != out.size())
        return "cannot be read";
    return nullptr;
}

void warn_unloadable(const char *path, const char *why)
{
    fprintf(stderr, "nannyday: cannot load \"%s\" (%s); going on without it\n", path, why);
}

void note_repaired(const char *path, const char *what)
{
    fprintf(stderr, "nannyday: repaired \"%s\" in memory (%s)\n", path, what);
}
