// The address text the dialog shows for the selection.
#include <gtest/gtest.h>

#include "Cmp/endereco.h"

namespace {

TEST(Endereco, AbsoluteAOneNotationOfTheRectangle) {
    EXPECT_EQ(cmp::endereco_intervalo(2, 13, 1, 2), "=$B$3:$C$14");
    EXPECT_EQ(cmp::endereco_intervalo(0, 8, 25, 26), "=$Z$1:$AA$9");
    EXPECT_EQ(cmp::endereco_intervalo(1, 4, 51, 52), "=$AZ$2:$BA$5");
    EXPECT_EQ(cmp::endereco_intervalo(0, 65535, 254, 255), "=$IU$1:$IV$65536");
}

TEST(Endereco, ColumnLettersAcrossTheirLengths) {
    EXPECT_EQ(cmp::letras_coluna(0), "A");
    EXPECT_EQ(cmp::letras_coluna(25), "Z");
    EXPECT_EQ(cmp::letras_coluna(26), "AA");
    EXPECT_EQ(cmp::letras_coluna(701), "ZZ");
    EXPECT_EQ(cmp::letras_coluna(702), "AAA");
}

}  // namespace
