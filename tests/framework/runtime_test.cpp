#include <gtest/gtest.h>

#include "framework/framework.h"

namespace {
class CShape : public CObject {
  DECLARE_DYNCREATE(CShape)
};
class CCircle : public CShape {
  DECLARE_DYNCREATE(CCircle)
 public:
  int radius = 3;
};
class CAbstractThing : public CObject {
  DECLARE_DYNAMIC(CAbstractThing)
};
}  // namespace

IMPLEMENT_DYNCREATE(CShape, CObject)
IMPLEMENT_DYNCREATE(CCircle, CShape)
IMPLEMENT_DYNAMIC(CAbstractThing, CObject)

TEST(RuntimeClass, KindFollowsTheBaseChain) {
  CCircle circle;
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
  CShape shape;
  EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CCircle");
}

TEST(RuntimeClass, DowncastIsNullForAnotherClass) {
  CCircle circle;
  CShape shape;
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, &circle), &circle);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, &shape), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, static_cast<CObject*>(nullptr)), nullptr);
}

TEST(RuntimeClass, CreatesObjectsOnlyForDynCreateClasses) {
  CObject* created = RUNTIME_CLASS(CCircle)->CreateObject();
  ASSERT_NE(created, nullptr);
  EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_EQ(static_cast<CCircle*>(created)->radius, 3);
  delete created;
  EXPECT_EQ(RUNTIME_CLASS(CAbstractThing)->CreateObject(), nullptr);
  CAbstractThing thing;
  EXPECT_EQ(thing.GetRuntimeClass(), RUNTIME_CLASS(CAbstractThing));
}

TEST(RuntimeClass, FindsRegisteredClassesByName) {
  EXPECT_EQ(CRuntimeClass::FromName("CCircle"), RUNTIME_CLASS(CCircle));
  EXPECT_EQ(CRuntimeClass::FromName("CFrameWnd"), RUNTIME_CLASS(CFrameWnd));
  EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
}
