"""The type stubs beside the module name what the module has, and the
module documents what it has."""

import ast
import os
import unittest

import tav


def stub_names():
    path = os.path.join(os.path.dirname(tav.__file__), "tav.pyi")
    with open(path, encoding="utf-8") as f:
        tree = ast.parse(f.read())
    names = {}
    for node in tree.body:
        if isinstance(node, ast.ClassDef):
            names[node.name] = {n.name for n in node.body
                                if isinstance(n, ast.FunctionDef) and not n.name.startswith("_")}
        elif isinstance(node, ast.FunctionDef):
            names[node.name] = None
    return names


class StubsTest(unittest.TestCase):
    def test_every_public_name_has_a_stub_and_a_docstring(self):
        stubs = stub_names()
        for name in dir(tav):
            if name.startswith("_"):
                continue
            with self.subTest(name):
                item = getattr(tav, name)
                self.assertIn(name, stubs)
                self.assertTrue(item.__doc__)
                if isinstance(item, type) and not issubclass(item, Exception):
                    members = {m for m in vars(item) if not m.startswith("_")}
                    self.assertEqual(members, stubs[name])
                    for m in members:
                        self.assertTrue(getattr(item, m).__doc__, m)


if __name__ == "__main__":
    unittest.main()
