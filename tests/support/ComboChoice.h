#pragma once
// Chooses an entry of a combo box as the user does: opens its list and clicks the entry.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

namespace testing_support {

inline void ChooseFromList(QComboBox& box, int index)
{
    box.showPopup();
    QAbstractItemView* list = box.view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    const QPoint at = list->visualRect(list->model()->index(index, 0)).center();
    // The list takes a release only once the mouse has moved over it.
    QTest::mouseMove(list->viewport(), at - QPoint(0, 1));
    QTest::mouseMove(list->viewport(), at);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->isVisible(); }));
}

}  // namespace testing_support
