// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Accessible.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QVariant>

namespace {

// Marks the labels that exposeValue has set up.
constexpr char valueLabelProperty[] = "quorvelAccessibleValue";

// A value label as assistive technology sees it: static text named by its
// caption, its current text as the value. Screen readers that announce only
// names and descriptions get the text as the description too.
class ValueLabelAccessible : public QAccessibleWidget {
public:
    explicit ValueLabelAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override
    {
        const QString shown = static_cast<const QLabel *>(widget())->text();
        switch (kind) {
        case QAccessible::Value:
            return shown;
        case QAccessible::Description:
            return widget()->accessibleDescription().isEmpty() ? shown : widget()->accessibleDescription();
        default:
            return QAccessibleWidget::text(kind);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
};

QAccessibleInterface *valueLabelAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String(QLabel::staticMetaObject.className()) || !object
        || !object->property(valueLabelProperty).toBool())
        return nullptr;
    return new ValueLabelAccessible(static_cast<QLabel *>(object));
}

QString withoutAccessKeys(QString caption)
{
    // "&&" shows one "&"; a single "&" only marks the access key.
    static const QChar placeholder(0xE000);
    caption.replace(QStringLiteral("&&"), QString(placeholder));
    caption.remove(u'&');
    caption.replace(placeholder, u'&');
    return caption;
}

} // namespace

namespace Accessible {

void nameAfter(QWidget *control, const QString &caption, const QString &part)
{
    const QString row = withoutAccessKeys(caption).simplified();
    const QString name = part.isEmpty() ? row : row + u' ' + part;
    control->setAccessibleName(name);
    // On Linux Qt names a drop-down list by its current entry and tells what
    // it is for through the label whose buddy it is. One visible caption can
    // be the buddy of one control only, so each list gets a hidden label
    // holding its full name.
    if (qobject_cast<QComboBox *>(control) && control->parentWidget()) {
        auto *related = new QLabel(name, control->parentWidget());
        related->setObjectName(control->objectName() + QStringLiteral("Caption"));
        related->setTextFormat(Qt::PlainText);
        related->hide();
        related->setBuddy(control);
    }
}

void nameAfter(QWidget *control, QLabel *label, const QString &part)
{
    nameAfter(control, label->text(), part);
    if (!label->buddy() && !qobject_cast<QComboBox *>(control))
        label->setBuddy(control);
}

void nameAfter(QWidget *control, QLabel *label)
{
    nameAfter(control, label, QString());
}

void exposeValue(QLabel *value, const QLabel *caption)
{
    exposeValue(value, caption->text());
}

void exposeValue(QLabel *value, const QString &name)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(valueLabelAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    value->setProperty(valueLabelProperty, true);
    nameAfter(value, name, QString());
    // A label announces itself as it gets its text, so Qt has already made
    // and kept a plain interface for it; drop that one for ours.
    QAccessibleInterface *cached = QAccessible::queryAccessibleInterface(value);
    if (cached && !dynamic_cast<ValueLabelAccessible *>(cached))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

} // namespace Accessible
