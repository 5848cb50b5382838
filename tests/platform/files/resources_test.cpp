#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <system_error>
#include <utility>

#include "platform/files/iconv_handle.h"
#include "platform/files/unique_fd.h"

namespace serialix {
namespace {

bool IsOpen(int fd) {
  return ::fcntl(fd, F_GETFD) != -1;
}

TEST(UniqueFd, ClosesWhenReplacedOrGoneAndMovesOwnership) {
  int first = -1;
  int second = -1;
  {
    UniqueFd a(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    first = a.get();
    ASSERT_TRUE(a);
    UniqueFd b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), first);
    b = UniqueFd(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    second = b.get();
    EXPECT_FALSE(IsOpen(first)) << "the replaced descriptor is closed";
    EXPECT_TRUE(IsOpen(second));
  }
  EXPECT_FALSE(IsOpen(second)) << "the owned descriptor is closed at the end of its scope";
  EXPECT_FALSE(UniqueFd(-1)) << "a failed open owns nothing";
}

TEST(OpenIconv, OpensCodePage932AndThrowsNamingAMissingConversion) {
  EXPECT_TRUE(OpenIconv("CP932", "UTF-8"));
  try {
    OpenIconv("NO-SUCH-CHARSET", "UTF-8");
    ADD_FAILURE() << "no exception";
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code(), std::errc::invalid_argument);
    EXPECT_NE(std::string(error.what()).find("NO-SUCH-CHARSET"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace serialix
