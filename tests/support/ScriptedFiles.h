#pragma once
// A file chooser for driving the main window without dialogs: it hands out the
// scripted files in order, and an empty script is a cancelled dialog.
#include <deque>
#include <filesystem>
#include <optional>
#include <string>

#include "ui/EditorServices.h"

class ScriptedFiles : public IFileChooser {
public:
    std::optional<std::filesystem::path> ChooseOpenFile(const std::string&) override { return Next(opens); }
    std::optional<std::filesystem::path> ChooseSaveFile(const std::string&) override { return Next(saves); }

    std::deque<std::filesystem::path> opens, saves;

private:
    static std::optional<std::filesystem::path> Next(std::deque<std::filesystem::path>& script)
    {
        if (script.empty())
            return std::nullopt;
        std::filesystem::path next = script.front();
        script.pop_front();
        return next;
    }
};
