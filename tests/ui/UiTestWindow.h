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
#include "UiTestSupport.h"

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

// A page or editor tested alone, written as the window writes: through a
// model controller over a real store. edits counts the quantity edits.
struct TControllerHarness {
    TGumModelStore store;
    TRecentFiles recent;
    TFakeHost host;
    TDocument document{store, recent, host};
    TModelController controller{store, document};
    int edits = 0;

    TControllerHarness() {
        QObject::connect(&controller, &TModelController::quantityChanged, [this] { ++edits; });
    }
    TGumModel& model() { return store.Model(); }
};

}  // namespace vormid::test
