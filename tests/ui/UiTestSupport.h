#pragma once
// Helpers of the window tests: a model store that writes a small text file,
// a document host with scripted file dialogs, and scripted answers to the
// program's message boxes.
#include <QFile>
#include <QQueue>
#include <QStringList>
#include <QTest>

#include "ui/Document.h"
#include "ui/ModelStore.h"
#include "ui/TfrmDlgBox.h"

namespace vormid::test {

// Saves "FAKE-GMF\n<name>\n"; loading anything else fails like a damaged file.
class TFakeStore : public IModelStore {
public:
    QString FileName() const override { return fileName; }
    void SetFileName(const QString& path) override { fileName = path; }
    void Clear() override {
        SaveDisplaySettings();
        ++clears;
        name.clear();
        quantities = 0;
        correlations = 0;
    }
    void Load() override {
        ++loads;
        QFile f(fileName);
        if (!f.open(QIODevice::ReadOnly)) throw TModelStoreError("не може да бъде отворен");
        QList<QByteArray> lines = f.readAll().split('\n');
        if (lines.size() < 2 || lines[0] != "FAKE-GMF") {
            name = QStringLiteral("partial");  // what was read before the failure stays
            throw TModelStoreError("повреден файл");
        }
        name = QString::fromUtf8(lines[1]);
        quantities = lines.size() > 2 ? lines[2].toInt() : 0;
    }
    void CheckLoadable(const QString&) override {
        if (failLoadable) throw TModelStoreError("повреден файл");
    }
    void Save() override {
        if (failSave) throw TModelStoreError("Файлът не може да бъде записан.");
        saves << fileName;
        QFile f(fileName);
        if (!f.open(QIODevice::WriteOnly)) throw TModelStoreError("Файлът не може да бъде записан.");
        f.write("FAKE-GMF\n" + name.toUtf8() + "\n" + QByteArray::number(quantities) + "\n");
    }
    bool SaveDisplaySettings() override {
        if (fileName == QLatin1String(kUntitledModelName) || !QFile::exists(fileName)) return false;
        displaySaves << fileName;
        return true;
    }
    int QuantityCount() const override { return quantities; }
    int CorrelationCount() const override { return correlations; }
    QString ModelName() const override { return name; }
    void SetModelName(const QString& n) override { name = n; }
    int EvalMethod() const override { return 0; }
    void SetEvalMethod(int) override {}

    QString fileName = QString::fromLatin1(kUntitledModelName);
    QString name;
    int quantities = 0;
    int correlations = 0;
    int clears = 0;
    int loads = 0;
    bool failSave = false;
    bool failLoadable = false;
    QStringList displaySaves;
    QStringList saves;
};

class TFakeHost : public IDocumentHost {
public:
    QString AskOpenFileName() override { return openAnswers.isEmpty() ? QString() : openAnswers.dequeue(); }
    QString AskSaveFileName() override { return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue(); }
    bool CanAsk() const override { return canAsk; }

    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    bool canAsk = true;
};

// Answers questions from a queue (information boxes need none); a question
// with no scripted answer is a test failure (it would have waited for a person) and gets its default.
class TScriptedAnswers {
public:
    TScriptedAnswers() {
        old_ = SetDlgBoxResponder([this](TfrmDlgBox& box) {
            messages << box.Message();
            titles << box.windowTitle();
            if (box.ButtonCount() == 1) return box.DefaultAnswer();  // information only
            if (answers.isEmpty()) {
                unexpected << box.Message();
                return box.DefaultAnswer();
            }
            return answers.dequeue();
        });
    }
    ~TScriptedAnswers() { SetDlgBoxResponder(std::move(old_)); }
    void Answer(TDlgAnswer a) { answers.enqueue(a); }

    QQueue<TDlgAnswer> answers;
    QStringList messages;
    QStringList titles;
    QStringList unexpected;

private:
    TDlgResponder old_;
};

}  // namespace vormid::test
