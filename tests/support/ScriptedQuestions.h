#pragma once

// The player's side of a command, scripted: answers to Yes/No questions and file names for the file
// dialogs, in order. Every question and dialog is recorded; one the test did not script fails the test.

#include "model/Questions.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace selektor::test {

class ScriptedQuestions : public Questions {
public:
    // Everything asked, in order: "question: ...", "warning: ...", "save: <filter> | <suffix>",
    // "open: <filter> | <suffix>".
    std::vector<std::string> asked;
    std::deque<bool> answers;
    std::deque<std::string> fileNames; // "" cancels the dialog

    bool confirm(const std::string& question) override { return answer("question: " + question); }
    bool warn(const std::string& question) override { return answer("warning: " + question); }
    std::string saveFileName(const FileDialog& dialog) override {
        return fileName("save: " + dialog.filter + " | " + dialog.defaultSuffix);
    }
    std::string openFileName(const FileDialog& dialog) override {
        return fileName("open: " + dialog.filter + " | " + dialog.defaultSuffix);
    }

private:
    bool answer(std::string text) {
        asked.push_back(text);
        if (answers.empty()) {
            ADD_FAILURE() << "Unscripted " << text;
            return false;
        }
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::string fileName(std::string text) {
        asked.push_back(text);
        if (fileNames.empty()) {
            ADD_FAILURE() << "Unscripted file dialog " << text;
            return {};
        }
        std::string name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
};

} // namespace selektor::test
