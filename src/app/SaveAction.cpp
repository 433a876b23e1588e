#include "app/SaveAction.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace qvx {

SaveAction::SaveAction(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SaveAction"));
    setWindowTitle(QStringLiteral("Save action:"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    new QHBoxLayout(this);

    connect(AddButton("AppendTo", QStringLiteral("&Append")), &QPushButton::clicked, this,
            [this] { emit chosen(SaveMode::Append); });
    connect(AddButton("Overwrite", QStringLiteral("&Overwrite")), &QPushButton::clicked, this,
            [this] { emit chosen(SaveMode::Overwrite); });
    connect(AddButton("CCL", QStringLiteral("Cancel")), &QPushButton::clicked, this,
            &QDialog::reject);
}

QPushButton* SaveAction::AddButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    // Enter presses the focused button, never a default one.
    button->setAutoDefault(true);
    button->setDefault(false);
    layout()->addWidget(button);
    return button;
}

void SaveAction::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace qvx
