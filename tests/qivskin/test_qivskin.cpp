#include "QivSkinTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

TEST_F(SkinTest, Margins) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    QivRect m{};
    ASSERT_EQ(GetSkinMargins(&m), 1);
    EXPECT_EQ(m.left, 5);
    EXPECT_EQ(m.top, 28);
    EXPECT_EQ(m.right, 5);
    EXPECT_EQ(m.bottom, 5);
}
