#pragma once
// The main window over a real model store, as the page tests drive it: a
// fresh window with its settings in a temporary folder, shown, and the
// lookups every such test needs.
#include <QSettings>
#include <QTemporaryDir>
#include <QtGlobal>
#include <memory>

#include "core/GumModel.h"
#include "ui/GumModelStore.h"
#include "ui/ModelController.h"
#include "ui/TfrmMain.h"

namespace vormid::test {

struct TTestWindow {
    QTemporaryDir dir;
    TGumModelStore* store = nullptr;
    std::unique_ptr<TfrmMain> w;

    TTestWindow() {
        auto s = std::make_unique<TGumModelStore>();
        store = s.get();
        w = std::make_unique<TfrmMain>(std::move(s),
                                       std::make_unique<QSettings>(dir.filePath("t.ini"), QSettings::IniFormat));
        w->FormShow();
        w->show();
    }
    template <class T>
    T* get(const char* name) const {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        if (!c) qFatal("no control %s", name);
        return c;
    }
    TModelController& c() const { return w->Controller(); }
    TGumParams& params() const { return store->Model().Params; }
    bool modified() const { return w->Document().Modified(); }
};

}  // namespace vormid::test
