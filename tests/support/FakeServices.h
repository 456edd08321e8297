#pragma once

// Test doubles for the desktop: dialogs that replay scripted answers and record every text shown, a
// silent sound player that remembers what it was asked to play, and a clock that stands still.

#include "app/Services.h"

#include <QQueue>
#include <QStringList>
#include <QtTest>

namespace selektor::test {

class ScriptedDialogs : public DialogService {
public:
    // Every text shown, in order, prefixed with its kind: "info: ", "error: ", "question: ", "warning: ".
    QStringList shown;
    QQueue<bool> answers;      // for question and warningQuestion, in order
    QQueue<QString> fileNames; // for saveFileName and openFileName, in order ("" = cancel)
    QStringList fileFilters;   // the filters the file dialogs were opened with

    void information(const QString& text) override { shown << QStringLiteral("info: ") + text; }
    void error(const QString& text) override { shown << QStringLiteral("error: ") + text; }
    bool question(const QString& text) override {
        shown << QStringLiteral("question: ") + text;
        return nextAnswer(text);
    }
    bool warningQuestion(const QString& text) override {
        shown << QStringLiteral("warning: ") + text;
        return nextAnswer(text);
    }
    QString saveFileName(const QString& filter, const QString& defaultSuffix) override {
        fileFilters << filter + QStringLiteral(" | ") + defaultSuffix;
        return nextFile();
    }
    QString openFileName(const QString& filter, const QString& defaultSuffix) override {
        fileFilters << filter + QStringLiteral(" | ") + defaultSuffix;
        return nextFile();
    }

private:
    bool nextAnswer(const QString& text) {
        if (answers.isEmpty()) {
            QTest::qFail(qPrintable(QStringLiteral("Unscripted question: ") + text), __FILE__, __LINE__);
            return false;
        }
        return answers.dequeue();
    }
    QString nextFile() {
        if (fileNames.isEmpty()) {
            QTest::qFail("Unscripted file dialog", __FILE__, __LINE__);
            return {};
        }
        return fileNames.dequeue();
    }
};

class SilentSound : public SoundPlayer {
public:
    QStringList played;
    void play(const QString& fileName) override { played << fileName; }
};

class FixedClock : public Clock {
public:
    QTime time{12, 0, 0, 0};
    QDate date{2026, 12, 8};
    QTime timeOfDay() const override { return time; }
    QDate today() const override { return date; }
};

class RecordingHelp : public HelpViewer {
public:
    QStringList opened;
    void showContents(const QString& helpFile) override { opened << helpFile; }
};

// Keeps every job instead of printing it; `failure` makes the printer refuse.
class RecordingPrinter : public PrinterService {
public:
    std::vector<std::vector<PrintPage>> jobs;
    std::optional<QString> failure;
    std::optional<QString> print(const std::vector<PrintPage>& pages) override {
        jobs.push_back(pages);
        return failure;
    }
};

// One set of fakes, ready to hand to a window.
struct FakeServices {
    ScriptedDialogs dialogs;
    SilentSound sound;
    FixedClock clock;
    RecordingHelp help;
    RecordingPrinter printer;
    Services services{dialogs, sound, clock, help, printer};
};

} // namespace selektor::test
