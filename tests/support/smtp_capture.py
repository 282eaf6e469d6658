"""An aiosmtpd handler for the tests: keeps every message it is given.

Each message becomes two files in the directory named on the command line: NNNN.eml, the
data as received (transparency dots removed), and NNNN.json, the greeting name, the sender
and the recipients. The json file is written last, so its presence means the message is
complete. Recipients whose address begins with "refused" are refused with 550.
"""

import itertools
import json
import os


class Capture:
    def __init__(self, directory):
        self.directory = directory
        self.numbers = itertools.count(1)

    @classmethod
    def from_cli(cls, parser, *args):
        if len(args) != 1:
            parser.error("Capture needs the directory for the messages")
        return cls(args[0])

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith("refused"):
            return "550 No such user here"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        base = os.path.join(self.directory, "%04d" % next(self.numbers))
        with open(base + ".eml", "wb") as data:
            data.write(envelope.original_content)
        facts = {
            "helo": session.host_name,
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
        }
        with open(base + ".json.part", "w", encoding="utf-8") as out:
            json.dump(facts, out)
        os.rename(base + ".json.part", base + ".json")
        return "250 OK"
