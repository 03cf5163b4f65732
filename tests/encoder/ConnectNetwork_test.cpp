// Connecting the link to one processor by its address.
#include "EncoderFixture.h"

#include "app/ConnectNetwork.h"

namespace {

using Connect = EncoderTest;

TEST_F(Connect, DottedAddressConnectsOnPort61213) {
    state.CommandBlock.fill(0x11);
    EXPECT_TRUE(ConnectNetwork("127.0.0.5"));
    const auto calls = scoped.Link.CallsOf("ConnectNet");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Text, "127.0.0.5");
    EXPECT_EQ(calls[0].Number, 61213);
    EXPECT_TRUE(scoped.Link.CallsOf("SendCommand").empty()); // a connect sends no command by itself
    // The shared command block is not used as the text's buffer.
    for (uint8_t byte : state.CommandBlock) EXPECT_EQ(byte, 0x11);
    EXPECT_TRUE(ConnectNetwork("0.0.0.0"));
    EXPECT_TRUE(ConnectNetwork("255.255.255.255"));
}

TEST_F(Connect, AnythingButADottedAddressIsRefused) {
    EXPECT_FALSE(ConnectNetwork("abc.de.f.999"));
    EXPECT_FALSE(ConnectNetwork("1.2.3.999"));
    EXPECT_TRUE(scoped.Link.Calls.empty());
}

TEST_F(Connect, WithoutALinkNothingConnects) {
    SetCommLink(nullptr);
    EXPECT_FALSE(ConnectNetwork("127.0.0.1"));
    SetCommLink(&scoped.Link);
    EXPECT_TRUE(scoped.Link.Calls.empty());
}

} // namespace
