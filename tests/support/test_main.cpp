// Shared main of every test executable. Each process runs headless and gets its own runtime,
// config and temporary folders, so that parallel ctest runs never meet in them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

int main(int argc, char** argv) {
    std::string pattern = (std::filesystem::temp_directory_path() / "qvarn-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return 2;
    }
    const std::filesystem::path root = pattern;
    for (const char* name : {"runtime", "config", "tmp"}) {
        std::filesystem::create_directory(root / name);
    }
    setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("TMPDIR", (root / "tmp").c_str(), 1);

    // Headless whether started by ctest or by hand; ctest picks the video driver per folder.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
    // GL on the offscreen driver: Mesa's software rasteriser on two threads.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    setenv("GALLIUM_DRIVER", "llvmpipe", 1);
    setenv("LP_NUM_THREADS", "2", 1);
    setenv("QVARN_AUTO_CONFIRM", "1", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");

    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();

    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return result;
}
