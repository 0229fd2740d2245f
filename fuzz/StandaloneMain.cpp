// Replays saved inputs through a fuzz target without libFuzzer: each file named on the command line, and
// each file in each folder named there (sorted, sub-folders included), goes once to LLVMFuzzerTestOneInput.
// A broken property aborts, so the replay fails like any test. Options (before the paths they apply to):
//   --max-files=N  take at most N files of each folder, spread evenly over its sorted list (0: all)
//   --max-bytes=N  feed at most the first N bytes of each file (0: all)
// A folder that does not exist is skipped with a note: the shared corpus may be missing from a checkout.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> filesOf(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        // Dot files (.gitkeep and the like) are not inputs.
        if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<fs::path> spread(const std::vector<fs::path>& files, std::size_t maxFiles) {
    if (maxFiles == 0 || files.size() <= maxFiles)
        return files;
    std::vector<fs::path> picked;
    for (std::size_t i = 0; i < maxFiles; ++i)
        picked.push_back(files[i * files.size() / maxFiles]);
    return picked;
}

bool run(const fs::path& file, std::size_t maxBytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (maxBytes != 0 && bytes.size() > maxBytes)
        bytes.resize(maxBytes);
    std::fprintf(stderr, "replay: %s (%zu bytes)\n", file.c_str(), bytes.size());
    // A buffer of exactly the input's size, as libFuzzer hands it, so that reading past the end is caught.
    const auto data = std::make_unique<std::uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), data.get());
    LLVMFuzzerTestOneInput(data.get(), bytes.size());
    return true;
}

bool numberOption(const char* arg, const char* name, std::size_t& value) {
    const std::size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) != 0)
        return false;
    value = std::strtoull(arg + length, nullptr, 10);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t maxFiles = 0;
    std::size_t maxBytes = 0;
    std::size_t runs = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        if (numberOption(argv[i], "--max-files=", maxFiles) ||
            numberOption(argv[i], "--max-bytes=", maxBytes))
            continue;
        const fs::path path(argv[i]);
        std::error_code error;
        if (fs::is_directory(path, error)) {
            for (const fs::path& file : spread(filesOf(path), maxFiles)) {
                ok = run(file, maxBytes) && ok;
                ++runs;
            }
        } else if (fs::is_regular_file(path, error)) {
            ok = run(path, maxBytes) && ok;
            ++runs;
        } else {
            std::fprintf(stderr, "replay: %s does not exist, skipped\n", path.c_str());
        }
    }
    std::printf("replay: %zu inputs passed\n", runs);
    return ok ? 0 : 1;
}
