#include "ui/TfrmDlgBox.h"

#include <algorithm>

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "ui_TfrmDlgBox.h"

namespace vormid {

namespace {

// Design sizes of the box's client area; the text may enlarge it.
constexpr int kTallTextLimit = 17;  // higher texts make the box text height + 60 high
constexpr int kExtraHeight = 60;
constexpr int kRightMargin = 20;
constexpr int kInfoWidenAbove = 220;
constexpr int kAskWidenAbove = 317;
constexpr int kPanelHeight = 40;

TDlgResponder& Responder() {
    static TDlgResponder responder;
    return responder;
}

QString& AppTitle() {
    static QString title = QStringLiteral("Vormid");
    return title;
}

QWidget* ActiveParent() { return QApplication::activeWindow(); }

// The user's answer, or a test's scripted one.
TDlgAnswer Run(TfrmDlgBox& box) {
    if (Responder()) return Responder()(box);
    box.exec();
    return box.Answer();
}

}  // namespace

TfrmDlgBox::TfrmDlgBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TfrmDlgBox>()) {
    ui_->setupUi(this);
    ui_->edInput->hide();
    QPushButton* buttons[3] = {ui_->btnFirst, ui_->btnSecond, ui_->btnThird};
    for (int i = 0; i < 3; ++i) {
        connect(buttons[i], &QPushButton::clicked, this, [this, i] {
            answer_ = answers_[i];
            done(i + 1);
        });
    }
}

TfrmDlgBox::~TfrmDlgBox() = default;

QString TfrmDlgBox::Message() const { return ui_->lblMessage->text(); }

QWidget* TfrmDlgBox::ButtonPanel() const { return ui_->pnlButtons; }

QPushButton* TfrmDlgBox::Button(int index) const {
    if (index < 0 || index >= buttonCount_) return nullptr;
    QPushButton* buttons[3] = {ui_->btnFirst, ui_->btnSecond, ui_->btnThird};
    return buttons[index];
}

void TfrmDlgBox::Layout(const QString& text, int widenAbove) {
    ui_->lblMessage->setText(text);
    // Measured in the font the label is drawn in: a parent's or the
    // desktop's font reaches the label when it is polished.
    ui_->lblMessage->ensurePolished();
    QScreen* screen = QGuiApplication::primaryScreen();
    int maxWidth = screen ? screen->geometry().width() / 2 : 640;
    QFontMetrics fm(ui_->lblMessage->font());
    QRect r = fm.boundingRect(QRect(0, 0, maxWidth, 100000), Qt::TextWordWrap | Qt::TextExpandTabs, text);
    int textW = std::max(r.width(), 1);
    int textH = std::max(r.height(), 1);
    QRect label = ui_->lblMessage->geometry();

    int clientW = width();
    if (textW > widenAbove) clientW = textW + label.left() + kRightMargin;
    // The label never reaches beyond the box, whatever the design width.
    const int labelW = std::min(textW, clientW - label.left() - kRightMargin);
    // The label wraps by its own rules, which may break a path after a "/"
    // where the measurement above kept one line (other fonts, hinting or
    // margins): its height is what it needs at its width, so no line of the
    // question is cut off.
    textH = std::max(textH, ui_->lblMessage->heightForWidth(labelW));
    ui_->lblMessage->resize(labelW, textH);

    int clientH = height();
    if (textH > kTallTextLimit) clientH = textH + kExtraHeight;
    setFixedSize(clientW, clientH);
    ui_->pnlButtons->setGeometry(0, clientH - kPanelHeight, clientW, kPanelHeight);
}

void TfrmDlgBox::SetButtons(std::initializer_list<std::pair<QString, TDlgAnswer>> buttons, int firstOffset, int step,
                            int defaultIndex) {
    QPushButton* all[3] = {ui_->btnFirst, ui_->btnSecond, ui_->btnThird};
    int panelW = ui_->pnlButtons->width();
    int first = firstOffset < 0 ? (panelW - all[0]->width()) / 2 : (panelW - firstOffset) / 2;
    buttonCount_ = 0;
    for (const auto& [text, answer] : buttons) {
        QPushButton* b = all[buttonCount_];
        b->setText(text);
        b->move(first + step * buttonCount_, b->y());
        b->show();
        answers_[buttonCount_] = answer;
        ++buttonCount_;
    }
    for (int i = buttonCount_; i < 3; ++i) all[i]->hide();
    defaultIndex_ = std::clamp(defaultIndex, 0, buttonCount_ - 1);
    for (int i = 0; i < 3; ++i) all[i]->setDefault(i == defaultIndex_);
    all[defaultIndex_]->setFocus();
}

void TfrmDlgBox::SetupMessage(const QString& text, const QString& title) {
    setWindowTitle(title);
    ui_->imgIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    Layout(text, kInfoWidenAbove);
    SetButtons({{QStringLiteral("OK"), TDlgAnswer::OK}}, -1, 0);
}

void TfrmDlgBox::SetupWarning(const QString& text, const QString& title) {
    SetupMessage(text, title);
    ui_->imgIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
}

void TfrmDlgBox::SetupQuestion(const QString& text, int kind, const QString& title) {
    setWindowTitle(title);
    ui_->imgIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    Layout(text, kAskWidenAbove);
    if (kind == akOkCancel)
        SetButtons({{QStringLiteral("ОК"), TDlgAnswer::OK}, {QStringLiteral("Отказ"), TDlgAnswer::Cancel}}, 200, 110);
    else if (kind == akYesNoCancel)
        SetButtons({{QStringLiteral("Да"), TDlgAnswer::Yes},
                    {QStringLiteral("Не"), TDlgAnswer::No},
                    {QStringLiteral("Отказ"), TDlgAnswer::Cancel}},
                   290, 100);
    else if (kind == akYesNoDefaultNo)
        SetButtons({{QStringLiteral("Да"), TDlgAnswer::Yes}, {QStringLiteral("Не"), TDlgAnswer::No}}, 200, 110, 1);
    else
        SetButtons({{QStringLiteral("Да"), TDlgAnswer::Yes}, {QStringLiteral("Не"), TDlgAnswer::No}}, 200, 110);
}

TDlgResponder SetDlgBoxResponder(TDlgResponder responder) {
    TDlgResponder old = std::move(Responder());
    Responder() = std::move(responder);
    return old;
}

void SetApplicationTitle(const QString& title) { AppTitle() = title; }
QString ApplicationTitle() { return AppTitle(); }

void ShowMessageBox(const QString& text, const std::optional<QString>& title) {
    TfrmDlgBox box(ActiveParent());
    box.SetupMessage(text, title.value_or(ApplicationTitle()));
    Run(box);
}

void ShowWarningBox(const QString& text, const std::optional<QString>& title) {
    TfrmDlgBox box(ActiveParent());
    box.SetupWarning(text, title.value_or(ApplicationTitle()));
    Run(box);
}

TDlgAnswer AskMessageBox(const QString& text, int kind, const std::optional<QString>& title) {
    TfrmDlgBox box(ActiveParent());
    box.SetupQuestion(text, kind, title.value_or(ApplicationTitle()));
    return Run(box);
}

}  // namespace vormid
