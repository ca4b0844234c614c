// Stand-in for the libFuzzer runtime where clang is missing: runs every seed of
// the corpus, then a bounded number of deterministic mutations of them, through
// the same entry point. Usage:
//   driver [-runs=N] [-max_total_time=S] [-seed=N] [-artifact_prefix=P] corpus-dir-or-file...
// With -max_total_time and no -runs it mutates until the time is up. An input
// that ends the process (sanitizer report, abort, segfault) is written to
// P + "crash-input" so that it can join the seeds.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Present only when a sanitizer runtime is linked in.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

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

// The input under test, kept where a dying process can still write it out.
const uint8_t* currentData = nullptr;
size_t currentSize = 0;
std::string crashPath = "crash-input";

void SaveCurrentInput()
{
    static volatile std::sig_atomic_t saved = 0;
    if (saved || !currentData)
        return;
    saved = 1;
    // Only async-signal-safe calls from here on.
    const int fd = ::open(crashPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return;
    size_t done = 0;
    while (done < currentSize) {
        const ssize_t n = ::write(fd, currentData + done, currentSize - done);
        if (n <= 0)
            break;
        done += size_t(n);
    }
    ::close(fd);
    static const char note[] = "fuzz driver: the failing input was written to the crash file\n";
    [[maybe_unused]] const ssize_t ignored = ::write(2, note, sizeof note - 1);
}

void OnFatalSignal(int signal)
{
    SaveCurrentInput();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void Run(const Bytes& input)
{
    currentData = input.data();
    currentSize = input.size();
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

} // namespace

int main(int argc, char** argv)
{
    long runs = -1;
    long seconds = 0;
    uint64_t seed = 0;
    std::vector<Bytes> seeds;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-runs=", 6) == 0) {
            runs = std::strtol(argv[i] + 6, nullptr, 10);
            continue;
        }
        if (std::strncmp(argv[i], "-max_total_time=", 16) == 0) {
            seconds = std::strtol(argv[i] + 16, nullptr, 10);
            continue;
        }
        if (std::strncmp(argv[i], "-seed=", 6) == 0) {
            seed = std::strtoull(argv[i] + 6, nullptr, 10);
            continue;
        }
        if (std::strncmp(argv[i], "-artifact_prefix=", 17) == 0) {
            crashPath = std::string(argv[i] + 17) + "crash-input";
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

    if (runs < 0 && seconds <= 0)
        runs = 20000;
    std::signal(SIGABRT, OnFatalSignal);
    std::signal(SIGSEGV, OnFatalSignal);
    std::signal(SIGFPE, OnFatalSignal);
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(SaveCurrentInput);

    for (const auto& input : seeds)
        Run(input);
    Random random;
    if (seed != 0)
        random.state ^= seed * 0xD1B54A32D192ED03ull;
    if (random.state == 0) // xorshift never leaves zero
        random.state = 1;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
    long run = 0;
    for (; runs < 0 || run < runs; ++run) {
        // Asking the clock now and then keeps it out of the profile.
        if (seconds > 0 && run % 64 == 0 && Clock::now() >= end)
            break;
        Bytes input = seeds[random.Below(seeds.size())];
        const size_t mutations = 1 + random.Below(4);
        for (size_t m = 0; m < mutations; ++m)
            Mutate(input, random);
        Run(input);
    }
    currentData = nullptr;
    std::printf("fuzz driver: %zu seeds, %ld mutated runs, no findings\n", seeds.size(), run);
    return 0;
}
