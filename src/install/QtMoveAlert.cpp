#include "install/QtMoveAlert.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFont>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace scriblo {

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("MoveApplication", text);
}

void bringForward(QMessageBox& box)
{
    box.show();
    box.raise();
    box.activateWindow();
}

}

MoveAnswer QtMoveAlert::offer(const MoveOffer& offer)
{
    QMessageBox box;
    box.setIcon(QMessageBox::Question);
    box.setText(translated(offer.message));
    QStringList sentences;
    for (const char* sentence : offer.informative)
        sentences << translated(sentence);
    box.setInformativeText(sentences.join(QLatin1Char(' ')));
    auto* move = box.addButton(QCoreApplication::translate("MoveApplication", "Move to Applications Folder"),
                               QMessageBox::AcceptRole);
    auto* stay = box.addButton(QCoreApplication::translate("MoveApplication", "Do Not Move"), QMessageBox::RejectRole);
    move->setAccessibleName(move->text());
    stay->setAccessibleName(stay->text());
    box.setDefaultButton(move);
    box.setEscapeButton(stay);
    auto* suppress = new QCheckBox(QCoreApplication::translate("MoveApplication", "Do not show this message again"));
    suppress->setAccessibleName(suppress->text());
    QFont small = suppress->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    suppress->setFont(small);
    box.setCheckBox(suppress);
    bringForward(box);
    box.exec();
    return { box.clickedButton() == move, suppress->isChecked() };
}

void QtMoveAlert::showFailure()
{
    QMessageBox box;
    box.setIcon(QMessageBox::Warning);
    box.setText(QCoreApplication::translate("MoveApplication", "Could not move to Applications folder"));
    bringForward(box);
    box.exec();
}

}
