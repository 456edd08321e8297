#pragma once

// A generator stage on a pool of the test's choosing, with scripted dialogs and a fixed clock, and the
// small moves the tests make on it: click by name, type into a field, read the list as shown. The same
// moves serve the stage inside the main window.

#include "app/GeneratorStage.h"
#include "support/FakeServices.h"
#include "support/LexicographicPool.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <initializer_list>
#include <memory>
#include <set>

namespace selektor::test {

inline Combination combination(std::initializer_list<int> numbers) {
    Combination c{};
    int i = 0;
    for (int n : numbers)
        c[i++] = static_cast<Number>(n);
    return c;
}

// How many numbers two system lines have in common.
inline int sharedNumbers(const QString& a, const QString& b) {
    std::set<int> numbers;
    for (const QString& field : a.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        numbers.insert(field.toInt());
    int common = 0;
    for (const QString& field : b.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        common += static_cast<int>(numbers.count(field.toInt()));
    return common;
}

inline QByteArray readAll(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void writeAll(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The moves a test makes on a generator stage, on its own or inside the main window.
struct StageMoves {
    GeneratorStage* target = nullptr;

    template <typename T> T* find(const QString& name) const {
        T* widget = target->findChild<T*>(name);
        if (!widget)
            qFatal("No widget named %s", qPrintable(name));
        return widget;
    }
    QAbstractButton* button(const QString& name) const { return find<QAbstractButton>(name); }
    void click(const QString& name) const { button(name)->click(); }
    void type(const QString& name, const QString& text) const { find<QLineEdit>(name)->setText(text); }
    QString text(const QString& name) const { return find<QLabel>(name)->text(); }
    bool enabled(const QString& name) const { return find<QWidget>(name)->isEnabled(); }
    bool shown(const QString& name) const { return !find<QWidget>(name)->isHidden(); }
    QTimer* timer(const QString& name) const { return find<QTimer>(name); }

    QListView* listView() const { return find<QListView>(QStringLiteral("generatorList")); }
    QStringList lines() const {
        QStringList shownLines;
        const QAbstractItemModel* model = listView()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            shownLines << model->index(row, 0).data().toString();
        return shownLines;
    }

    void buildGuarantee(int mode) const {
        click(QStringLiteral("guaranteeChoice%1").arg(mode));
        click(QStringLiteral("guaranteeOkButton"));
    }
    // A random run that outlasts the test: it goes on until something stops it.
    void startLongRun(int ticks) const {
        type(QStringLiteral("simulationCountEdit"), QStringLiteral("9999"));
        type(QStringLiteral("simulationLimitEdit"), QStringLiteral("9999"));
        click(QStringLiteral("simulationOkButton"));
        for (int tick = 0; tick < ticks; ++tick)
            target->simulationTick();
    }
};

struct StageFixture : StageMoves {
    FakeServices fakes;
    std::unique_ptr<CandidatePool> pool = std::make_unique<CandidatePool>();
    std::unique_ptr<GeneratorStage> stage;
    QTemporaryDir directory;

    explicit StageFixture(std::initializer_list<Combination> rows = {}) {
        setPool(rows);
        stage = std::make_unique<GeneratorStage>(*pool, fakes.services);
        target = stage.get();
        stage->setDataDirectory(directory.path());
        stage->enterFinalStage();
    }

    void setPool(std::initializer_list<Combination> rows) {
        pool->clear();
        for (const Combination& c : rows)
            pool->append(c);
    }
    void setLexicographicPool(int highest) { fillLexicographic(*pool, highest); }

    QString path(const QString& fileName) const { return directory.filePath(fileName); }
};

} // namespace selektor::test
