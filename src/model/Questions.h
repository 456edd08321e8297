#pragma once

// What a command asks the player while it runs: Yes/No questions and the file dialogs. The answers
// decide how the command goes on, so the model asks them through this port; the windows answer with
// message boxes and file dialogs, the tests with scripted answers.

#include <string>

namespace selektor {

// A file dialog's filter and the extension it adds to a name typed without one.
struct FileDialog {
    std::string filter;
    std::string defaultSuffix;
};

class Questions {
public:
    virtual ~Questions() = default;
    // A confirmation question with the buttons Yes and No; true on Yes.
    virtual bool confirm(const std::string& question) = 0;
    // A warning question (those that protect a running generator); true on Yes.
    virtual bool warn(const std::string& question) = 0;
    // The save dialog, which asks before overwriting; an empty name when the player cancels.
    virtual std::string saveFileName(const FileDialog& dialog) = 0;
    // The open dialog; an empty name when the player cancels.
    virtual std::string openFileName(const FileDialog& dialog) = 0;
};

} // namespace selektor
