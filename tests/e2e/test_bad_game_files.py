"""Game files the saver must survive: empty, holding a zero byte, larger than 16 MiB, and binary
noise. Each run shows what the reader makes of the file, keeps running until input, and ends with
exit code 0."""

import random

from board_image import START_FEN, Skin, ink_box, squares_are_skin_cells
from e2e import DATA_DIR, ON_SCREEN, run_test

BLACK = (0, 0, 0)
BLACK_NAME_BAND = (256, 88, 768, 128)
WHITE_NAME_BAND = (256, 640, 768, 680)
TAG_BANDS = (256, 680, 768, 752)
HOME_PAGE_BAND = (0, 0, 1024, 40)
MiB = 1 << 20

ZERO_BYTE_GAME = b'[White "Zero"]\n[Black "Byte"]\n\n1. d4 \x00 d5 2. c4 *\n'
FEN_GAME = (b'[White "Big"]\n[Black "File"]\n[FEN "4k3/8/8/8/8/8/8/R3K3 w Q - 0 1"]\n\n'
            b"1. Ra8+ Kd7 *\n\n")


def huge_file():
    """A FEN game first, then copies of an ordinary game past 16 MiB."""
    filler = (DATA_DIR / "two_plies.pgn").read_bytes() + b"\n"
    return FEN_GAME + filler * (17 * MiB // len(filler))


def binary_noise():
    return random.Random(20240101).randbytes(256 * 1024)


def run(session, what, data, time_mode, watch_boards, until, check, linger=0.0):
    """Plays the file until until(labels) holds, then watches linger seconds more for what must
    not come; check(seen, labels) judges the frames."""
    pgn = session.install_game_file("case.pgn", data)
    session.set_settings(Path_to_PGN_file=pgn, Current_game_number=0, Time_mode=time_mode)
    saver = session.start_saver("/s")
    seen = session.watch(watch_boards, until=until, timeout=ON_SCREEN)
    for frame in session.watch(watch_boards, until=lambda labels: False, timeout=linger):
        if not seen or frame[0] != seen[-1][0]:
            seen.append(frame)
    labels = [label for label, _ in seen if label != "blank"]
    session.note(f"{what}: {labels}")
    check(seen, labels)
    session.expect_running(saver, what)
    session.end_with_key(saver, what)


def main(session):
    skin = Skin(session.skin_folder() / "Quorvane.bmp")
    session.set_settings(Random_skin=0, Name_of_skin="Quorvane.bmp", Show_info=1)
    start = skin.board(START_FEN)

    # An empty file holds no game: the standard position, no names (nothing was read), the tag
    # labels alone, and every step (one a second) shows the same position again.
    def empty_check(seen, labels):
        session.expect(labels == ["start"], f"empty file: shown {labels}, expected the start")
        image = seen[-1][1]
        session.expect(ink_box(image, BLACK_NAME_BAND, BLACK) is None
                       and ink_box(image, WHITE_NAME_BAND, BLACK) is None,
                       "empty file: names are shown although no game was read")
        session.expect(ink_box(image, TAG_BANDS, BLACK) is not None,
                       "empty file: the DATE/EVENT/SITE labels are missing")

    run(session, "empty file", b"", 0, {"start": start}, lambda labels: "start" in labels,
        empty_check, linger=3)

    # The text ends at the zero byte: the game is 1. d4 alone, whose position is the last. The
    # three-second pause keeps the start on screen long enough to be seen under load.
    after_d4 = skin.board("rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR", ("d2", "d4"))
    after_d5 = skin.board("rnbqkbnr/ppp1pppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR", ("d7", "d5"))

    def zero_check(seen, labels):
        session.expect(labels == ["start", "after d4"],
                       f"file with a zero byte: shown {labels}, expected start, after d4")
        final = [image for label, image in seen if label == "after d4"]
        session.expect(bool(final) and ink_box(final[0], HOME_PAGE_BAND, BLACK) is not None,
                       "file with a zero byte: d4 is not shown as the game's last position")

    run(session, "file with a zero byte", ZERO_BYTE_GAME, 2,
        {"start": start, "after d4": after_d4, "after d5": after_d5},
        lambda labels: "after d4" in labels or "after d5" in labels, zero_check, linger=3.5)

    fen_start = skin.board("4k3/8/8/8/8/8/8/R3K3")
    fen_next = skin.board("R3k3/8/8/8/8/8/8/4K3", ("a1", "a8"))

    def huge_check(seen, labels):
        session.expect(labels[:2] == ["FEN start", "after Ra8+"],
                       f"file over 16 MiB: shown {labels}, expected its first game")

    run(session, "file over 16 MiB", huge_file(), 2,
        {"FEN start": fen_start, "after Ra8+": fen_next},
        lambda labels: "after Ra8+" in labels, huge_check)

    def noise_check(seen, labels):
        image = session.wait_for(lambda im: squares_are_skin_cells(im, skin))
        session.expect(image is not None, "binary file: no board made of the skin's cells")

    run(session, "binary file", binary_noise(), 0, {}, lambda labels: True, noise_check,
        linger=2)


if __name__ == "__main__":
    run_test(main)
