// Linked into every test program: the program's cache folder (XDG_CACHE_HOME) is a fresh
// temporary folder, removed at exit, so no test ever reads or writes the user's own
// thumbnail cache, and no two test programs share one.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class PrivateCacheHome {
public:
    PrivateCacheHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lumivelle-test-cache-XXXXXX").string();
        if (::mkdtemp(pattern.data())) {
            m_folder = pattern;
            ::setenv("XDG_CACHE_HOME", m_folder.c_str(), 1);
        } else {
            // No temporary folder: a cache folder that cannot be created keeps the cache off.
            ::setenv("XDG_CACHE_HOME", "/nonexistent/lumivelle-test-cache", 1);
        }
    }
    ~PrivateCacheHome()
    {
        std::error_code ignored;
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder, ignored);
    }
    PrivateCacheHome(const PrivateCacheHome &) = delete;
    PrivateCacheHome &operator=(const PrivateCacheHome &) = delete;

private:
    std::string m_folder;
};

const PrivateCacheHome kPrivateCacheHome;

} // namespace
