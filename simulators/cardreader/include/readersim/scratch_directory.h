#pragma once
// A fresh directory under the system's temporary directory for one test's
// COM<n> links; removed with everything in it when the object goes.

#include <filesystem>

namespace readersim {

class ScratchDirectory {
public:
    ScratchDirectory();  // throws std::runtime_error when none can be made
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace readersim
