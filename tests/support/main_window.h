#pragma once

#include "app/main.h"
#include "app/startup.h"
#include "support/boxes.h"
#include "support/choosers.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

namespace testsupport {

// The edit boxes of the search form, in their tab order.
inline const std::vector<const char*> search_edits = {"Edit_length",
                                                      "Edit_lengthwidth",
                                                      "Edit_force",
                                                      "Edit_forcewidth",
                                                      "Edit_length2",
                                                      "Edit_length2width",
                                                      "Edit_force2",
                                                      "Edit_force2width",
                                                      "Edit_coildia_outer_min",
                                                      "Edit_coildia_outer_max",
                                                      "Edit_coildia_inner_min",
                                                      "Edit_coildia_inner_max"};

// A fresh pair of windows per test, made the way the program makes them.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        create_forms();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("Form_spring"))
                form = qobject_cast<TForm_spring*>(w);
        }
        ASSERT_NE(form, nullptr);
        form->show();
    }

    void TearDown() override {
        // Deleting a window deletes the pop-ups it owns, which are top-level too.
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("Form_spring") ||
                w->objectName() == QLatin1String("Form_cycle"))
                windows << w;
        }
        for (const QPointer<QWidget>& w : windows)
            delete w.data();
        QApplication::processEvents();
    }

    template <class T = QWidget> T* find(const char* name) const {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    void type(const char* edit, const QString& text) { find<QLineEdit>(edit)->setText(text); }

    // The search button, with whatever box it raises answered: those boxes.
    QList<Box> search() {
        return answer_boxes([&] { find<QPushButton>("Serch_Btn")->click(); });
    }

    TForm_spring* form = nullptr;
    // Every path the window asks for is answered here, never by a real
    // dialog; a question a test did not answer fails it.
    Choosers choosers;
};

} // namespace testsupport
