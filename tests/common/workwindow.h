#pragma once
// WorkWindowTest: the fixture the work window's tests share: the window, the
// messages it showed, the pupil's keys and clicks.

#include "Dialogs.h"
#include "lists.h"
#include "probe.h"

#include <QApplication>
#include <QListView>
#include <QStringListModel>
#include <QtTest>

#include <memory>

// A fixture for the tests of one work window at a time: OpenWindow in init,
// CloseWindow in cleanup.
class WorkWindowTest : public QObject
{
protected:
    std::unique_ptr<TfrmPvPupil> w;
    // The messages the window showed since it was opened.
    QVector<dialogs::MessageRecord> messages;

    // A window 1024 pixels wide whose messages are recorded, not shown.
    void OpenWindow()
    {
        messages.clear();
        dialogs::messageHook = [this](const dialogs::MessageRecord &m) { messages << m; };
        w = std::make_unique<TfrmPvPupil>(1024);
    }
    void CloseWindow()
    {
        w.reset();
        dialogs::messageHook = nullptr;
    }

    Ui::TfrmPvPupil *ui() const { return In(*w).ui; }
    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const auto &m : messages)
            texts << m.text;
        return texts;
    }
    // The procedure names of the procedure panel's list.
    QStringList Procedures() const { return ItemTexts(ui()->ListBoxProc); }
    // A row of the statistics panel, empty past its end.
    QString StatRow(int row) const
    {
        return row < ui()->ListStatist->count() ? ui()->ListStatist->item(row)->text() : QString();
    }
    QWidget *Focused() const
    {
        QWidget *f = QApplication::focusWidget();
        return f ? f : w.get();
    }
    // A key as the pupil presses it: to whatever has the focus.
    void Press(Qt::Key key) { QTest::keyClick(Focused(), key); }
    // Characters typed one by one (Cyrillic cannot go through keyClicks).
    static void Type(QWidget *target, const QString &text)
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    static void Click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }
    // A mouse click on a row of the listing, then whatever the click posted.
    void ClickRow(int row)
    {
        const QModelIndex index = In(*w).listing->index(row);
        ui()->lstCom->scrollTo(index);
        QTest::mouseClick(ui()->lstCom->viewport(), Qt::LeftButton, Qt::NoModifier,
                          ui()->lstCom->visualRect(index).center());
        QCoreApplication::processEvents();
    }
    void SetListing(const QStringList &lines, int current)
    {
        In(*w).listing->setStringList(lines);
        w->SetCurrentLine(current);
    }
};
