#pragma once
// The program's own message box: every message and question of the window
// goes through ShowMessageBox or AskMessageBox. Tests (and the unattended
// mode) install a responder that answers instead of a person, so that no box
// ever waits for input there.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QPushButton;

namespace Ui {
class TfrmDlgBox;
}

namespace vormid {

enum class TDlgAnswer { OK, Yes, No, Cancel };

// Question kinds: 0 "Да"/"Не", 1 "ОК"/"Отказ", 2 "Да"/"Не"/"Отказ".
// 3 "Да"/"Не" with "Не" the default, for destructive questions.
enum TAskKind : int { akYesNo = 0, akOkCancel = 1, akYesNoCancel = 2, akYesNoDefaultNo = 3 };

class TfrmDlgBox : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDlgBox(QWidget* parent = nullptr);
    ~TfrmDlgBox() override;

    // Prepares an information box (icon, one "OK" centred).
    void SetupMessage(const QString& text, const QString& title);
    // The same with the warning icon, for a failure the user must notice.
    void SetupWarning(const QString& text, const QString& title);
    // Prepares a question box of the given kind (0, 1, 2; others act as 0).
    void SetupQuestion(const QString& text, int kind, const QString& title);

    QString Message() const;
    int ButtonCount() const { return buttonCount_; }
    QPushButton* Button(int index) const;  // 0-based, nullptr beyond the count
    // The answer of the default button (the first, or "Не" of kind 3).
    TDlgAnswer DefaultAnswer() const { return answers_[defaultIndex_]; }
    int DefaultIndex() const { return defaultIndex_; }
    // The answer chosen so far; Cancel when closed without a button.
    TDlgAnswer Answer() const { return answer_; }
    QWidget* ButtonPanel() const;

private:
    void Layout(const QString& text, int widenAbove);
    void SetButtons(std::initializer_list<std::pair<QString, TDlgAnswer>> buttons, int firstOffset, int step,
                    int defaultIndex = 0);

    std::unique_ptr<Ui::TfrmDlgBox> ui_;
    int buttonCount_ = 0;
    int defaultIndex_ = 0;
    TDlgAnswer answers_[3] = {TDlgAnswer::OK, TDlgAnswer::OK, TDlgAnswer::OK};
    TDlgAnswer answer_ = TDlgAnswer::Cancel;
};

// A responder answers a prepared box instead of showing it modally.
using TDlgResponder = std::function<TDlgAnswer(TfrmDlgBox&)>;
// Installs (or with an empty function removes) the responder; returns the old one.
TDlgResponder SetDlgBoxResponder(TDlgResponder responder);

// The title that boxes without their own title show ("Vormid - …" once a
// model is shown). The main window keeps it equal to its caption.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// Information box; modal unless a responder is installed. Never throws.
void ShowMessageBox(const QString& text, const std::optional<QString>& title = std::nullopt);
// Information box with the warning icon.
void ShowWarningBox(const QString& text, const std::optional<QString>& title = std::nullopt);
// Question box; returns the button's answer (Cancel when closed otherwise).
TDlgAnswer AskMessageBox(const QString& text, int kind, const std::optional<QString>& title = std::nullopt);

}  // namespace vormid
