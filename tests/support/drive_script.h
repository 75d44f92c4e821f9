// Test helper: runs the scripted driver on the shipped files in a folder of its own, with a home
// folder for the file dialogs, and reads members of its state lines.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "support/temp_folder.h"

namespace testsupport {

struct DriveOutcome {
    int exitCode = -1;
    std::string output;
    std::vector<std::string> lines;
    std::vector<std::string> states; // the lines `state` printed, in order
    bool asked(const std::string& text) const { return output.find("text=" + text + " ") != std::string::npos; }
};

// Runs the script with the folder as program folder and HOME set to home.
inline DriveOutcome RunDriveScript(const TempFolder& folder, const std::string& script, const std::string& home)
{
    std::string scriptFile = folder.write("script.txt", script);
    std::string command = "HOME='" + home + "' " + std::string(ZENTILES_BINARY_DIR) + "/zentiles-drive --dir " +
                          folder.folder() + " " + scriptFile + " > " + folder.file("out.txt") + " 2>&1";
    int status = std::system(command.c_str());
    DriveOutcome run;
    run.exitCode = WEXITSTATUS(status);
    run.output = folder.read("out.txt");
    std::istringstream in(run.output);
    for (std::string line; std::getline(in, line);) {
        run.lines.push_back(line);
        if (line.rfind("{\"pack\"", 0) == 0)
            run.states.push_back(line);
    }
    return run;
}

// The JSON text of a member of a one-line object: "true", "12", "\"text\"", "[...]", "{...}".
inline std::string JsonMember(const std::string& json, const std::string& key)
{
    std::size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos)
        return "";
    std::size_t start = at + key.size() + 3, end = start;
    int depth = 0;
    bool inString = false;
    for (; end < json.size(); ++end) {
        char c = json[end];
        if (inString) {
            if (c == '\\')
                ++end;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            ++depth;
        } else if (c == ']' || c == '}') {
            if (depth-- == 0)
                break;
        } else if (c == ',' && depth == 0) {
            break;
        }
    }
    return json.substr(start, end - start);
}

// Copies the shipped settings and packs into the folder, the settings naming pack `pack`.
inline void InstallShippedFiles(const TempFolder& folder, int pack)
{
    for (const char* name : {"zentiles.cfg", "freeware.zdb", "pack1.zdb", "pack2.zdb", "pack3.zdb"})
        std::filesystem::copy_file(std::string(ZENTILES_SOURCE_DIR) + "/assets/" + name, folder.file(name),
                                   std::filesystem::copy_options::overwrite_existing);
    std::fstream cfg(folder.file("zentiles.cfg"), std::ios::in | std::ios::out | std::ios::binary);
    cfg.put(static_cast<char>(pack)); // currentPack, a little-endian int at offset 0
}

} // namespace testsupport
