// varp-tool: the editor's own code without a window, for scripts, batch work and checks.
#include <cstdio>
#include <cstring>

#include "cli/Commands.h"

int main(int argc, char** argv) {
    if (argc >= 2) {
        if (std::strcmp(argv[1], "info") == 0) return varp::cli::InfoCommand(argc, argv);
        if (std::strcmp(argv[1], "resave") == 0) return varp::cli::ResaveCommand(argc, argv);
        if (std::strcmp(argv[1], "make-sample") == 0)
            return varp::cli::MakeSampleCommand(argc, argv);
        if (std::strcmp(argv[1], "render") == 0) return varp::cli::RenderCommand(argc, argv);
        if (std::strcmp(argv[1], "pak") == 0) return varp::cli::PakCommand(argc, argv);
        if (std::strcmp(argv[1], "import") == 0) return varp::cli::ImportCommand(argc, argv);
        if (std::strcmp(argv[1], "export") == 0) return varp::cli::ExportCommand(argc, argv);
        if (std::strcmp(argv[1], "template") == 0) return varp::cli::TemplateCommand(argc, argv);
    }
    std::fprintf(
        stderr,
        "usage: varp-tool info [--json] [--base DIR] [--yes|--no] MODEL.md2\n"
        "       varp-tool resave [--base DIR] MODEL.md2 OUT.md2\n"
        "       varp-tool make-sample DIR\n"
        "       varp-tool render [--base DIR] [--yes|--no] MODEL.md2 [SKIN ...] --view iso|skin|\n"
        "                        palette --size WxH --out FILE.png [...]  (render alone lists "
        "them)\n"
        "       varp-tool pak list PAK\n"
        "       varp-tool pak extract PAK NAME OUT\n"
        "       varp-tool import IN OUT.pcx --palette FROM.pcx [--dither] [--protect I,J,...]\n"
        "                        [--size WxH]\n"
        "       varp-tool export IN.pcx OUT.png|OUT.tga [--scale N] [--indexed]\n"
        "       varp-tool template [--base DIR] MODEL.md2 OUT.png [--scale N] [--skin K]\n");
    return 2;
}
