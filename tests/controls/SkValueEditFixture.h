// A shown form with a numeric or date/time edit and a plain edit to move the focus to, driven by
// keys as a user would.
#pragma once

#include "Forms.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

template <class TValueEdit> struct TValueEditFixture : testing::Test {
    std::unique_ptr<TForm> Form;
    TValueEdit* Edit = nullptr;
    TEdit* Other = nullptr;
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 200);
        Edit = new TValueEdit(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(10, 10, 110, 21);
        Other = new TEdit(Form.get());
        Other->SetParent(Form.get());
        Other->SetBounds(10, 60, 80, 21);
    }
    void ShowAndFocus() {
        Form->Show();
        Form->Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
        Edit->SetFocus();
        QApplication::processEvents();
    }
    // Clears the field and types Keys into it.
    void Type(const char* Keys) {
        Edit->SetText(QString());
        QTest::keyClicks(Edit->Widget(), Keys);
    }
    // An OnChange that frees the edit, and one character typed: the key ends quietly, the widget is out
    // of sight at once and gone with the next events.
    void TypeIntoAChangeHandlerThatFreesTheEdit() {
        ShowAndFocus();
        QPointer<QObject> alive(Edit);
        QPointer<QWidget> widget = Edit->Widget();
        Edit->OnChange = [this](TObject*) { delete std::exchange(Edit, nullptr); };
        QTest::keyClick(widget, Qt::Key_1);
        EXPECT_TRUE(alive.isNull());
        EXPECT_TRUE(widget.isNull() || !widget->isVisible());
        QTest::qWait(20);  // the caret's blink and the deferred deletion
        EXPECT_TRUE(widget.isNull());
    }
    // Moves the focus on; a focus the edit takes back arrives with the next events.
    void Leave() {
        Other->SetFocus();
        QApplication::processEvents();
        QApplication::processEvents();
    }
};
