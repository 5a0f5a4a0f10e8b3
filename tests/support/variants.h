// Broken versions of a data file, made at test time from the real one.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct Variant {
    std::string name;
    bool must_fail;   // no decoder may accept it
};

// The variants every data file gets: missing, empty, cut short at several
// points, random bytes, random bytes behind a real header, a file of another
// kind, a directory. header is the size of the file's fixed header.
std::vector<Variant> common_variants(size_t file_size, size_t header);

// Puts variant v of original in place at path. other_kind is a real file of
// a different format.
void make_variant(const Variant &v, const std::vector<unsigned char> &original,
                  const std::filesystem::path &path, const std::filesystem::path &other_kind,
                  size_t header);

std::vector<unsigned char> file_bytes(const std::filesystem::path &path);
void write_bytes(const std::filesystem::path &path, const std::vector<unsigned char> &bytes);

// A fresh copy of the data folder under the temp directory; removed on destruction.
struct ScratchData {
    std::filesystem::path dir;
    ScratchData();
    ~ScratchData();
    // Puts the real file back (a directory or a variant may stand in its place).
    void restore(const std::string &rel) const;
};
