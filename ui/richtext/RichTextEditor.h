#pragma once
// One rich-text field of the main window with its formatting toolbar: the
// model description, the equation, a quantity's comment or a budget's
// comment. The field holds the stored RTF bytes and gives them back
// untouched until the user edits it; only then is the text written anew.
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QMenu;
class QMimeData;
class QTextCharFormat;
class QTextEdit;

namespace Ui {
class TRichTextEditor;
}

namespace vormid {

class TRichTextEditor : public QWidget {
    Q_OBJECT
public:
    // The four fields; each has its own toolbar controls and names.
    // Object names: "Editor", "Commentar", "Equation", "BudgetComent".
    enum class TKind { Description, Comment, Equation, BudgetComment };

    explicit TRichTextEditor(QWidget* parent = nullptr);
    ~TRichTextEditor() override;

    // Chooses the toolbar controls (and their names), the paste rules and
    // the object name. The field starts as a description.
    void SetKind(TKind kind);
    TKind Kind() const { return kind_; }

    // Shows stored bytes (RTF, text in Windows-1251; a text that is not RTF
    // is shown as plain text). Emits nothing and clears the edited mark and
    // the undo history.
    void SetRtf(const std::string& rtf);
    // Exactly the bytes given to SetRtf while the user has not edited the
    // field; after an edit, the field's content written as RTF.
    std::string Rtf() const;
    // The shown text without formatting.
    QString PlainText() const;
    // The user changed the text since the last SetRtf.
    bool IsEdited() const { return edited_; }

    // The text area itself (focus, tests).
    QTextEdit* TextEdit() const;

    // Inserts one character at the caret through the editor, as a typed
    // character would be (the symbol dialog's result).
    void InsertSymbol(char32_t codePoint);
    // The stored text holds content the field cannot show (embedded
    // objects, metafile pictures); the first edit asks before dropping it.
    bool HasHiddenContent() const { return hidden_; }
    // The most RTF one field holds; larger pastes are refused.
    static constexpr std::size_t kMaxRtfBytes = 1024 * 1024;

    // Asks for the picture file to insert: (parent, title, filter) -> path,
    // empty when cancelled. The system's open-file dialog unless replaced.
    using TPictureFileChooser = std::function<QString(QWidget*, const QString&, const QString&)>;
    void SetPictureFileChooser(TPictureFileChooser chooser);

    // The context menu "pmRTF" with its entries enabled for the moment.
    std::unique_ptr<QMenu> CreateContextMenu();

signals:
    // Every change the user makes.
    void textEdited();
    // The focus left the field after a change since the last time.
    void editingFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnContentsChanged();
    void ConnectToolbar();
    void UpdateToolbar();
    // Merges into the selection's format what `set` puts into an empty one.
    void MergeFormat(const std::function<void(QTextCharFormat&)>& set);
    bool ConfirmEdit();
    bool CheckPaste(const QMimeData* data);
    // The size of the RTF the field holds now.
    std::size_t RtfSize() const;
    // Whether that many more bytes fit in the field; says so when not.
    bool FitsLimit(std::size_t added);
    void ShowContextMenu(const QPoint& pos);
    void InsertPicture();
    void ChooseSymbol();
    void ChooseColor();

    std::unique_ptr<Ui::TRichTextEditor> ui_;
    TKind kind_ = TKind::Description;
    std::string stored_;
    bool edited_ = false;
    bool changedSinceFocus_ = false;
    // SetRtf fills the document: its changes are no edits. (A widget of its
    // own, also used where no model controller is in reach.)
    bool settingRtf_ = false;
    bool hidden_ = false;     // content the field cannot show
    bool confirmed_ = false;  // the user agreed to drop it
    TPictureFileChooser chooser_;
};

}  // namespace vormid
