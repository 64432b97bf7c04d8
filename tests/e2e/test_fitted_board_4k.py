"""At 3840 x 2160 the classic board keeps its 512 pixels in the middle; with "Fit board" the
board fills the height with 180-pixel cells drawn from the skins' four-times drawing."""

from e2e import run_test
from fitted_board import check_classic_board, check_fitted_board

SCREEN = (3840, 2160)


def main(session):
    check_classic_board(session, SCREEN)
    check_fitted_board(session, SCREEN, scale=4)


if __name__ == "__main__":
    run_test(main, screens=(SCREEN,))
