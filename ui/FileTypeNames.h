#pragma once
// The Type column of the program's file dialogs in Bulgarian: the toolkit's
// own catalogue leaves "Folder" and the shell's English name of the model
// files untranslated.
#include <QFileIconProvider>

namespace vormid {

class TFileTypeNames : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override;
};

// The provider shared by every file dialog of the program.
QFileIconProvider* FileTypeNames();

}  // namespace vormid
