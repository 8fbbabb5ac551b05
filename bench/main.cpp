#include "bench/Registry.h"

#include "core/platform/FileError.h"
#include "core/platform/RowList.h"
#include "core/platform/TextFile.h"

#include <sys/resource.h>
#include <cstdio>
#include <cstring>

namespace rs::bench {

std::map<std::string, Command>& Commands() {
    static std::map<std::string, Command> commands;
    return commands;
}

namespace {

// read IN: load the file into a RowList and report its memory use.
Register readCmd("read", [](const std::vector<std::string>& a) {
    if (a.size() != 1) return 2;
    RowList rows;
    rows.loadFile(a[0]);
    std::fprintf(stderr, "rows=%zu bytes=%zu memory=%zu\n", rows.size(), rows.byteSize(), rows.memoryUsed());
    return 0;
});

// copy IN OUT: every row through TextReader and TextWriter.
Register copyCmd("copy", [](const std::vector<std::string>& a) {
    if (a.size() != 2) return 2;
    TextReader in(a[0]);
    TextWriter out(a[1]);
    std::string_view line;
    while (in.readLine(line)) out.writeLine(line);
    out.close();
    return 0;
});

}  // namespace
}  // namespace rs::bench

int main(int argc, char** argv) {
    using namespace rs::bench;
    if (argc < 2 || !Commands().count(argv[1])) {
        std::fprintf(stderr, "usage: rowsmith_bench COMMAND ARGS...\ncommands:");
        for (auto& [name, _] : Commands()) std::fprintf(stderr, " %s", name.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    try {
        int rc = Commands()[argv[1]](args);
        struct rusage ru {};
        getrusage(RUSAGE_SELF, &ru);
        std::fprintf(stderr, "peak_rss_kb=%ld\n", ru.ru_maxrss);
        return rc;
    } catch (const std::runtime_error& e) {  // a file error, or a refusal to overwrite an input
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
