"""tav.open: every field as tav-cli's `info` and `points` give it, the
arrays' type and length, and the readers' refusals as tav.FormatError."""

import os
import tempfile
import unittest
import warnings

import numpy as np

import tav
import tavcli

# One file of each reader of the shared data.
FILES = [
    "AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc",
    "datalab__Scan_C1.xrdml",
    "datalab__JO_KL_16_ZF_3_60deg_0.02step_12degpermin_001.rasx",
    "datalab__TiOF.brml",
    "datalab__TiO2.raw",
    "xylib__format1.raw",
    "xylib__BT86_.UXD",
    "GSAS-II__PBSO4.XRA",
    "Dioptas__pattern_001.chi",
    "xylib__1517474.cif",
    "dash__tutorial-04_Tutorial_04.xye",
    "mtex__Bruker_xrd_10-10.ras",
]


def cli_points(lines):
    rows = [line.split() for line in lines if line and line[0] in "-0123456789"]
    return np.array([[float(v) for v in row] for row in rows])


class ReadersTest(unittest.TestCase):
    def test_every_reader_gives_what_tav_cli_reads(self):
        for name in FILES:
            with self.subTest(name):
                path = tavcli.shared(name)
                out, _ = tavcli.run(f"open auto {tavcli.quoted(path)}; info; points")
                info = tavcli.json_line(out, '{"format"')
                with warnings.catch_warnings():
                    warnings.simplefilter("ignore")
                    p = tav.open(path)
                self.assertEqual(p.format, info["format"])
                self.assertEqual(p.path, info["path"])
                self.assertEqual(len(p), info["points"])
                self.assertEqual(p.wavelengths, (info["wavelength1"], info["wavelength2"]))
                self.assertEqual(p.ratio, info["ratio"])
                self.assertEqual(p.sample, info["sample"])
                self.assertEqual((p.scans, p.scan), (info["scans"], info["scan"]))
                self.assertEqual((p.x_quantity, p.x_unit), (info["x_quantity"], info["x_unit"]))
                points = cli_points(out)
                for array in (p.x, p.y):
                    self.assertEqual(array.dtype, np.float64)
                    self.assertEqual(array.shape, (info["points"],))
                # %.17g reads back to the same bits.
                np.testing.assert_array_equal(p.x, points[:, 0])
                np.testing.assert_array_equal(p.y, points[:, 1])
                self.assertEqual(p.messages, tavcli.messages(out))

    def test_scan_of_a_file_with_several(self):
        path = tavcli.shared("xylib__format1.raw")
        out, _ = tavcli.run(f"open auto {tavcli.quoted(path)} 2; info; points")
        p = tav.open(path, scan=2)
        self.assertEqual(p.scan, 2)
        np.testing.assert_array_equal(p.y, cli_points(out)[:, 1])

    def test_sigma_is_the_third_column_of_an_xye_file(self):
        path = tavcli.shared("datalab__example_bmb.xye")
        expected = []
        with open(path, encoding="utf-8") as f:
            for line in f:
                fields = line.split()
                try:
                    values = [float(v) for v in fields[:3]]
                except ValueError:
                    continue
                if len(values) == 3:
                    expected.append(values[2])
        p = tav.open(path)
        self.assertEqual(p.sigma.dtype, np.float64)
        np.testing.assert_array_equal(p.sigma, np.array(expected))
        self.assertIsNone(tav.open(tavcli.shared(FILES[0])).sigma)

    def test_arrays_look_into_the_profile_and_cannot_be_written(self):
        p = tav.open(tavcli.shared(FILES[0]))
        x = p.x
        self.assertFalse(x.flags.owndata)
        self.assertFalse(x.flags.writeable)
        with self.assertRaises(ValueError):
            x[0] = 1.0
        del p
        # The array keeps the profile alive.
        self.assertEqual(x[0], 2.01)


class RefusalsTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def write(self, name, data):
        path = os.path.join(self.folder.name, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def assert_refused_as_tav_cli(self, path, lang="en", scan=None):
        script = f"open auto {tavcli.quoted(path)}" + (f" {scan}" if scan else "")
        out, _ = tavcli.run(script, lang=lang)
        with self.assertRaises(tav.FormatError) as caught:
            tav.open(path, scan=scan)
        self.assertEqual(str(caught.exception), tavcli.messages(out)[-1])
        self.assertIsInstance(caught.exception, ValueError)

    def test_refusals_carry_the_readers_message(self):
        cases = {
            "missing.xy": None,
            "binary.dat": b"\x00\x01\x02garbage\x00" * 10,
            "cut.xrdml": b'<?xml version="1.0"?><xrdMeasurements><xrdMeasurement><scan>',
            "empty.zip": b"PK\x05\x06" + b"\x00" * 18,
            "counts.asc": b"*START = 10\n*STEP = 0.02\n*COUNT = 3\n1 x 3\n",
        }
        for name, data in cases.items():
            with self.subTest(name):
                path = (self.write(name, data) if data is not None
                        else os.path.join(self.folder.name, name))
                self.assert_refused_as_tav_cli(path)

    def test_a_scan_the_file_lacks(self):
        self.assert_refused_as_tav_cli(tavcli.shared("datalab__Scan_C1.xrdml"), scan=5)

    def test_messages_in_japanese_once_asked(self):
        path = os.path.join(self.folder.name, "missing.xy")
        tav.set_language("ja")
        try:
            self.assertEqual(tav.language(), "ja")
            self.assert_refused_as_tav_cli(path, lang=None)
        finally:
            tav.set_language("en")
        with self.assertRaises(ValueError):
            tav.set_language("fr")

    def test_a_file_cut_short_is_read_with_a_warning(self):
        path = self.write("short.asc", b"*START\t=  10\n*STOP\t=  12\n*STEP\t=  0.5\n"
                                       b"*COUNT\t\t=  5\n1, 2, 3\n")
        out, _ = tavcli.run(f"open rigaku {tavcli.quoted(path)}; points")
        with self.assertWarns(UserWarning) as warned:
            p = tav.open(path, format="rigaku")
        self.assertEqual(str(warned.warning), tavcli.messages(out)[0])
        np.testing.assert_array_equal(p.y, [1.0, 2.0, 3.0])

    def test_bad_arguments(self):
        with self.assertRaises(ValueError):
            tav.open(tavcli.shared(FILES[0]), format="jpeg")
        with self.assertRaises(ValueError):
            tav.open(tavcli.shared(FILES[0]), scan=0)


if __name__ == "__main__":
    unittest.main()
