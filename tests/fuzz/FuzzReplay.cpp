// The main() of a fuzz target built without libFuzzer: it hands every file of
// the folders (and files) named on the command line to the target, in name
// order, once. The tests replay the committed corpora this way under any
// compiler, with or without the sanitizers; a fault aborts, as it would in
// the fuzzer. An empty or missing folder is an error, so that a corpus
// cannot silently go out of the test.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& where)
{
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(where)) {
        for (const auto& entry : std::filesystem::directory_iterator(where))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    } else if (std::filesystem::is_regular_file(where)) {
        files.push_back(where);
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER|FILE...\n", argv[0]);
        return 2;
    }
    int total = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i < argc; ++i) {
        const std::vector<std::filesystem::path> files = InputsOf(argv[i]);
        if (files.empty()) {
            std::fprintf(stderr, "%s: no inputs\n", argv[i]);
            return 1;
        }
        for (const std::filesystem::path& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            if (!in.good() && !in.eof()) {
                std::fprintf(stderr, "%s: cannot be read\n", file.c_str());
                return 1;
            }
            // Printed before the run, so that the input of a crash is the last name shown.
            std::fprintf(stderr, "%s\n", file.c_str());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++total;
        }
    }
    const auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("replayed %d inputs in %.2f s\n", total, elapsed);
    return 0;
}
