// Stand-in for the libFuzzer runtime where clang is missing: runs every seed of
// the corpus, then a bounded number of deterministic mutations of them, through
// the same entry point. Usage: stream_fuzz_driver [-runs=N] corpus-dir-or-file...

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// xorshift64: the same mutations on every run, so a failure repeats.
struct Random {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    uint64_t Next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    size_t Below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(Next() % n); }
};

// Characters that matter to the notation; mutating towards them reaches deeper than random bytes.
const char Interesting[] = "'#$+-=:,.[]()<>{}\n 0179AFaez_\x01\x80\xE5";
const char* const Words[] = {"object ", "end", "item", "inherited ", "'", "''", "#13", "#55357", "+\n", "$FF",
                             "1.5e3", "= ", "((((", "<item ", "{0A}", "9223372036854775808"};

void Mutate(Bytes& b, Random& random)
{
    const size_t at = random.Below(b.size() + 1);
    switch (random.Below(6)) {
    case 0:
        if (!b.empty())
            b[random.Below(b.size())] = static_cast<uint8_t>(Interesting[random.Below(sizeof Interesting - 1)]);
        break;
    case 1:
        b.insert(b.begin() + at, static_cast<uint8_t>(Interesting[random.Below(sizeof Interesting - 1)]));
        break;
    case 2:
        if (at < b.size())
            b.erase(b.begin() + at, b.begin() + std::min(b.size(), at + 1 + random.Below(8)));
        break;
    case 3: {
        const char* word = Words[random.Below(std::size(Words))];
        b.insert(b.begin() + at, word, word + std::strlen(word));
        break;
    }
    case 4:
        b.resize(at);
        break;
    default:
        if (!b.empty()) {
            const size_t from = random.Below(b.size());
            const size_t length = std::min(b.size() - from, 1 + random.Below(32));
            const Bytes chunk(b.begin() + from, b.begin() + from + length);
            b.insert(b.begin() + at, chunk.begin(), chunk.end());
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    long runs = 20000;
    std::vector<Bytes> seeds;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-runs=", 6) == 0) {
            runs = std::strtol(argv[i] + 6, nullptr, 10);
            continue;
        }
        if (argv[i][0] == '-')
            continue; // other libFuzzer flags mean nothing here
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto& file : files)
                seeds.push_back(ReadFile(file));
        } else {
            seeds.push_back(ReadFile(path));
        }
    }
    if (seeds.empty()) {
        std::fprintf(stderr, "no seeds given\n");
        return 2;
    }

    for (const auto& seed : seeds)
        LLVMFuzzerTestOneInput(seed.data(), seed.size());
    Random random;
    for (long run = 0; run < runs; ++run) {
        Bytes input = seeds[random.Below(seeds.size())];
        const size_t mutations = 1 + random.Below(4);
        for (size_t m = 0; m < mutations; ++m)
            Mutate(input, random);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("stream fuzz driver: %zu seeds, %ld mutated runs, no findings\n", seeds.size(), runs);
    return 0;
}
