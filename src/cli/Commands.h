// The tool's subcommands; each returns the process exit status.
#pragma once

namespace varp::cli {

int InfoCommand(int argc, char** argv);
int ResaveCommand(int argc, char** argv);
int MakeSampleCommand(int argc, char** argv);
int RenderCommand(int argc, char** argv);
int PakCommand(int argc, char** argv);
int ImportCommand(int argc, char** argv);
int ExportCommand(int argc, char** argv);
int TemplateCommand(int argc, char** argv);

}  // namespace varp::cli
