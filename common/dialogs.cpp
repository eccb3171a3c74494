#include "dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

void QtDialogs::message(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QString QtDialogs::openFile(QWidget* parent, const QString& title, const QString& folder,
                            const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}
