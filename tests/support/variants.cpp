// Broken data files for the bad-data tests.
#include "support/variants.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

std::vector<unsigned char> file_bytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const fs::path &path, const std::vector<unsigned char> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<Variant> common_variants(size_t file_size, size_t header)
{
    std::vector<Variant> v = {
        {"missing", true}, {"empty", true}, {"random", true}, {"other kind", true},
        {"directory", true}, {"random after header", false},
    };
    // Inside the header, at its end, inside the data, one byte short.
    std::set<size_t> cuts = {1, 13, header - 1, header, file_size / 2, file_size - 1};
    for (size_t c : cuts)
        if (c > 0 && c < file_size)
            v.push_back({"truncated at " + std::to_string(c), c < header});
    return v;
}

void make_variant(const Variant &v, const std::vector<unsigned char> &original, const fs::path &path,
                  const fs::path &other_kind, size_t header)
{
    fs::remove_all(path);
    std::mt19937 rng(static_cast<unsigned>(original.size()) * 2654435761u);
    if (v.name == "missing")
        return;
    if (v.name == "directory") {
        fs::create_directory(path);
        write_bytes(path / "inside", original);
        return;
    }
    std::vector<unsigned char> bytes;
    if (v.name == "random" || v.name == "random after header") {
        bytes.resize(original.size());
        for (unsigned char &b : bytes)
            b = static_cast<unsigned char>(rng());
        if (v.name == "random after header")
            std::copy(original.begin(), original.begin() + static_cast<long>(header), bytes.begin());
        else
            bytes[0] = 0;   // no format's first byte
    } else if (v.name == "other kind") {
        bytes = file_bytes(other_kind);
    } else if (v.name.rfind("truncated at ", 0) == 0) {
        size_t n = std::stoul(v.name.substr(13));
        bytes.assign(original.begin(), original.begin() + static_cast<long>(n));
    }
    write_bytes(path, bytes);
}

ScratchData::ScratchData()
{
    static std::atomic<int> count{0};
    dir = fs::temp_directory_path() /
          ("nannyday-bad-" + std::to_string(getpid()) + "-" + std::to_string(count++));
    fs::remove_all(dir);
    fs::copy(NANNYDAY_DATA_DIR, dir, fs::copy_options::recursive);
}

ScratchData::~ScratchData()
{
    fs::remove_all(dir);
}

void ScratchData::restore(const std::string &rel) const
{
    fs::remove_all(dir / rel);
    fs::copy_file(fs::path(NANNYDAY_DATA_DIR) / rel, dir / rel);
}
